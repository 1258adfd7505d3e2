#pragma once
// Name translation for map authors: five tables in the program folder turn
// the Japanese names of a loaded map into English ones. Each table is a CSV
// file of the member dialect whose first column is the Japanese text to
// match exactly (bytes, CP932); at most four columns are used.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/prompt.h"
#include "base/record_table.h"
#include "map/rail.h"
#include "map/signal_set.h"
#include "map/station.h"
#include "map/target.h"

namespace vosk::map {

// target.csv and d_type.csv: a name and its three English names.
struct NameRow {
  std::string japanese;
  std::string one_char_name;
  std::string short_name;
  std::string name;
};
// rail_suffix.csv: what follows a target name in a rail name.
struct SuffixRow {
  std::string japanese;
  std::string short_suffix;
  std::string suffix;
};
// signal_set.csv.
struct SignalSetRow {
  std::string japanese;
  std::string name;
  std::string description;
};
// signal_bmp.csv: aspect picture names.
struct PictureRow {
  std::string japanese;
  std::string name;
};

struct NameTranslation {
  std::vector<NameRow> targets;
  std::vector<SuffixRow> rail_suffixes;
  std::vector<NameRow> train_types;
  std::vector<SignalSetRow> signal_sets;
  std::vector<PictureRow> pictures;
};

// Reads the five tables from `program_folder`. A file that cannot be opened
// is reported ("読み込みファイル'%s'は開けませんでした。\n", caption
// "ファイル読み込みエラー") and its table left empty; the others still load.
// Lines with an empty first column match nothing and are left out.
NameTranslation load_name_translation(const std::filesystem::path& program_folder, Prompt& prompt);

// The row whose Japanese text equals `name`, nullptr when none does.
const NameRow* find_name_row(const std::vector<NameRow>& rows, std::string_view name);

// When `name` has a row, replaces the three names by the row's, cut to
// 20, 20 and 255 bytes (the field sizes of targets, stations and train
// types); returns whether it did.
bool apply_name_row(const std::vector<NameRow>& rows, std::string& one_char_name,
                    std::string& short_name, std::string& name);

struct RailNames {
  std::string short_name;  // at most 20 bytes
  std::string name;        // at most 255 bytes
};

// English names of a rail named after targets, or false when no rule
// matches. A rail named T + suffix, T a target name with a row R, becomes
// R's name + the English suffix (short name likewise). A rail named
// T1 + "←" / "→" / "＝" + T2 + suffix becomes T1' + "<-" / "->" / "==" +
// T2' + suffix in English, for both the name and the short name.
// `target_names` are the Japanese names of the map's targets.
class RailNameTranslator {
 public:
  RailNameTranslator(const NameTranslation& translation,
                     const std::vector<std::string>& target_names);
  bool translate(std::string_view rail_name, RailNames& out) const;

 private:
  const NameTranslation& translation_;
  std::vector<const NameRow*> rows_;  // rows of targets the map has
};

struct MapNameChanges {
  std::vector<int> targets;  // renamed targets: trains bound for them take their new short name
  int stations = 0;
  int rails = 0;
  int signal_sets = 0;
  int pictures = 0;
};

// Translates a loaded map: rails first (they are matched against the
// targets' Japanese names), then targets, stations, signal sets and aspect
// pictures. The rail labels must be rebuilt afterwards. Train types and
// train destinations belong to the dia: translate them with
// `translation.train_types` (apply_name_row) and `MapNameChanges::targets`.
MapNameChanges translate_map_names(const NameTranslation& translation, RecordTable<Rail>& rails,
                                   RecordTable<Target>& targets, RecordTable<Station>& stations,
                                   SignalSets& signals);

}  // namespace vosk::map
