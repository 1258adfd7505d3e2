#include "map/name_translation.h"

#include <array>

#include "base/csv.h"
#include "base/format.h"
#include "base/sjis.h"
#include "base/text_file.h"
#include "map/member_columns.h"

namespace vosk::map {
namespace {

std::string fit(std::string_view text, std::size_t max_bytes) {
  return std::string(sjis::cut(text, max_bytes));
}

// Reads one table; `make(line)` turns a line into a row.
template <class Row, class Make>
std::vector<Row> load_table(const std::filesystem::path& file, Prompt& prompt, Make make) {
  std::vector<Row> rows;
  const std::optional<std::string> content = textfile::read_text(file);
  if (!content) {
    prompt.tell(caption::kReadError,
                format("読み込みファイル'%s'は開けませんでした。\n", file.string().c_str()));
    return rows;
  }
  csv::Reader reader(*content);
  csv::Line line;
  while (reader.next(line)) {
    if (line.text(0).empty()) continue;
    rows.push_back(make(line));
  }
  return rows;
}

NameRow name_row(const csv::Line& line) {
  return {std::string(line.text(0)), std::string(line.text(1)), std::string(line.text(2)),
          std::string(line.text(3))};
}

bool starts_with(std::string_view text, std::string_view head) {
  return text.substr(0, head.size()) == head;
}

bool ends_with(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The joints of rail names between two targets, CP932, and their English forms.
struct Joint {
  std::string_view japanese;
  std::string_view english;
};
constexpr std::array<Joint, 3> kJoints = {{
    {"\x81\xa9", "<-"},  // ←
    {"\x81\xa8", "->"},  // →
    {"\x81\x81", "=="},  // ＝
}};

}  // namespace

NameTranslation load_name_translation(const std::filesystem::path& program_folder, Prompt& prompt) {
  NameTranslation t;
  t.targets = load_table<NameRow>(program_folder / "target.csv", prompt, name_row);
  t.rail_suffixes =
      load_table<SuffixRow>(program_folder / "rail_suffix.csv", prompt, [](const csv::Line& line) {
        return SuffixRow{std::string(line.text(0)), std::string(line.text(1)),
                         std::string(line.text(2))};
      });
  t.train_types = load_table<NameRow>(program_folder / "d_type.csv", prompt, name_row);
  t.signal_sets = load_table<SignalSetRow>(
      program_folder / "signal_set.csv", prompt, [](const csv::Line& line) {
        return SignalSetRow{std::string(line.text(0)), std::string(line.text(1)),
                            std::string(line.text(2))};
      });
  t.pictures =
      load_table<PictureRow>(program_folder / "signal_bmp.csv", prompt, [](const csv::Line& line) {
        return PictureRow{std::string(line.text(0)), std::string(line.text(1))};
      });
  return t;
}

const NameRow* find_name_row(const std::vector<NameRow>& rows, std::string_view name) {
  for (const NameRow& row : rows) {
    if (row.japanese == name) return &row;
  }
  return nullptr;
}

bool apply_name_row(const std::vector<NameRow>& rows, std::string& one_char_name,
                    std::string& short_name, std::string& name) {
  const NameRow* row = find_name_row(rows, name);
  if (row == nullptr) return false;
  one_char_name = fit(row->one_char_name, kShortTextBytes);
  short_name = fit(row->short_name, kShortTextBytes);
  name = fit(row->name, kLongTextBytes);
  return true;
}

RailNameTranslator::RailNameTranslator(const NameTranslation& translation,
                                       const std::vector<std::string>& target_names)
    : translation_(translation) {
  for (const NameRow& row : translation.targets) {
    for (const std::string& name : target_names) {
      if (name == row.japanese) {
        rows_.push_back(&row);
        break;
      }
    }
  }
}

bool RailNameTranslator::translate(std::string_view rail_name, RailNames& out) const {
  // Whole-name equality, as when the candidate names are composed and
  // compared; splitting at byte counts cannot match half a character.
  for (const SuffixRow& s : translation_.rail_suffixes) {
    if (!ends_with(rail_name, s.japanese)) continue;
    const std::string_view stem = rail_name.substr(0, rail_name.size() - s.japanese.size());
    for (const NameRow* r : rows_) {
      if (stem != r->japanese) continue;
      out.short_name = fit(r->short_name + s.short_suffix, kShortTextBytes);
      out.name = fit(r->name + s.suffix, kLongTextBytes);
      return true;
    }
  }
  for (const SuffixRow& s : translation_.rail_suffixes) {
    if (!ends_with(rail_name, s.japanese)) continue;
    const std::string_view stem = rail_name.substr(0, rail_name.size() - s.japanese.size());
    for (const NameRow* first : rows_) {
      if (!starts_with(stem, first->japanese)) continue;
      const std::string_view rest = stem.substr(first->japanese.size());
      for (const Joint& joint : kJoints) {
        if (!starts_with(rest, joint.japanese)) continue;
        const std::string_view second_name = rest.substr(joint.japanese.size());
        for (const NameRow* second : rows_) {
          if (second->japanese != second_name) continue;
          std::string joint_english(joint.english);
          out.short_name =
              fit(first->short_name + joint_english + second->short_name + s.short_suffix,
                  kShortTextBytes);
          out.name = fit(first->name + joint_english + second->name + s.suffix, kLongTextBytes);
          return true;
        }
      }
    }
  }
  return false;
}

MapNameChanges translate_map_names(const NameTranslation& translation, RecordTable<Rail>& rails,
                                   RecordTable<Target>& targets, RecordTable<Station>& stations,
                                   SignalSets& signals) {
  MapNameChanges changes;
  std::vector<std::string> target_names;
  for (int n = 1; n <= targets.extent(); ++n) target_names.push_back(targets[n].name);
  const RailNameTranslator rail_translator(translation, target_names);
  for (int n = 1; n <= rails.extent(); ++n) {
    RailNames names;
    if (!rail_translator.translate(rails[n].name, names)) continue;
    rails[n].short_name = std::move(names.short_name);
    rails[n].name = std::move(names.name);
    ++changes.rails;
  }
  for (int n = 1; n <= targets.extent(); ++n) {
    Target& t = targets[n];
    if (apply_name_row(translation.targets, t.one_char_name, t.short_name, t.name)) {
      changes.targets.push_back(n);
    }
  }
  for (int n = 1; n <= stations.extent(); ++n) {
    Station& s = stations[n];
    if (apply_name_row(translation.targets, s.one_char_name, s.short_name, s.name)) {
      ++changes.stations;
    }
  }
  for (int n = 1; n <= signals.sets.extent(); ++n) {
    SignalSet& set = signals.sets[n];
    for (const SignalSetRow& row : translation.signal_sets) {
      if (row.japanese != set.name) continue;
      set.name = fit(row.name, kShortTextBytes);
      set.description = fit(row.description, kLongTextBytes);
      ++changes.signal_sets;
      break;
    }
  }
  for (AspectPicture& picture : signals.pictures) {
    for (const PictureRow& row : translation.pictures) {
      if (row.japanese != picture.name) continue;
      picture.name = fit(row.name, kShortTextBytes);
      ++changes.pictures;
      break;
    }
  }
  return changes;
}

}  // namespace vosk::map
