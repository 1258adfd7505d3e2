#pragma once
// Signal sets: named signal types with their aspect tables, the shared lists
// of aspect pictures and colours, and signal_set.csv. The aspect tables are
// read and written through signal.csv (signal_member.h).
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"

namespace vosk::map {

// Speed steps 0 .. 1023 index a set's aspect table.
inline constexpr int kSpeedSteps = 1024;
inline constexpr int kTopSpeedStep = kSpeedSteps - 1;

// The aspect a set shows at one speed step: the band the step lies in.
struct AspectEntry {
  bool defined = false;  // false: no line of signal.csv covered this step
  int lower_bound = 0;   // lowest step of the band
  int second_value = 0;  // kept as read; its meaning is not used here
  int picture = 0;       // index into SignalSets::pictures
  int colour = 0;        // index into SignalSets::colours
};

struct SignalSet {
  int value = 0;            // kept as read; its meaning is not used here
  std::string name;         // CP932, at most 20 bytes
  std::string description;  // CP932, at most 255 bytes
  std::array<AspectEntry, kSpeedSteps> aspects{};
};

struct AspectPicture {
  std::string name;  // CP932, at most 20 bytes
  std::string file;  // bitmap file name, CP932, at most 255 bytes
};

struct ColourTriple {
  int red = 255;
  int green = 255;
  int blue = 255;
  bool operator==(const ColourTriple&) const = default;
};

// The pictures are usually at most this many; the list grows beyond it.
inline constexpr std::size_t kAspectPictureInitialSize = 100;
// No [StructSize] key bounds the set table; set numbers are written "%3d,".
inline constexpr int kSignalSetLimit = 999;
// Set and picture lists of data older than this do not exist in the file.
inline constexpr int kSignalSetMemberSince = 1060;

struct SignalSets {
  RecordTable<SignalSet> sets;
  // Entry 0 of both lists is the "nothing read" entry: a picture without
  // name or file, and white. signal.csv adds one entry of each per band.
  std::vector<AspectPicture> pictures;
  std::vector<ColourTriple> colours;

  SignalSets() { clear(); }
  // No sets, lists holding only entry 0; the set table may grow to the limit.
  void clear();
  // Lists back to entry 0 only, keeping the sets (the aspects then point at
  // entries that are gone, so they are reset too).
  void clear_aspects();
};

// signal_set.csv, sets 1 .. limit. Data older than 1060 has no such member:
// the content is ignored and the one signal set of those maps,
// "５現示信号機", is created; call it for every version.
void read_signal_set(std::string_view content, int version, SignalSets& signals,
                     MemberWarnings& warnings);
// Sets 1 .. extent.
void write_signal_set(const SignalSets& signals, csv::Writer& out);

}  // namespace vosk::map
