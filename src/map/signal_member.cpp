#include "map/signal_member.h"

#include <algorithm>
#include <climits>

#include "base/sjis.h"
#include "map/member_columns.h"

namespace vosk::map {
namespace {

// Field positions of a signal.csv line by data version; -1: no such column.
struct SignalLayout {
  int since;
  int set;
  int lower;
  int second;
  int red;  // green and blue follow
  int name;
  int file;
};
constexpr SignalLayout kLayouts[] = {
    {1110, 0, 1, 2, 3, 6, 7},
    {1060, 0, 1, -1, 2, 5, 6},  // no second value: the band above gives it
    {0, -1, 0, -1, 1, -1, -1},  // one set only, pictures by the band's lower bound
};

const SignalLayout& layout_for(int version) {
  for (const SignalLayout& layout : kLayouts) {
    if (version >= layout.since) return layout;
  }
  return kLayouts[std::size(kLayouts) - 1];
}

// The fixed pictures of the five-aspect signal of data older than 1060,
// chosen by the highest lower bound each one covers.
struct OldPicture {
  int up_to;
  const char* name;  // UTF-8 here, CP932 in the record
  const char* file;
};
constexpr OldPicture kOldPictures[] = {
    {0, "停止", "Signal__R__.bmp"},       {25, "警戒", "SignalY__Y_.bmp"},
    {45, "注意", "Signal___Y_.bmp"},      {75, "減速", "Signal_Y__G.bmp"},
    {INT_MAX, "進行", "Signal____G.bmp"},
};

AspectPicture old_picture(int lower_bound) {
  for (const OldPicture& p : kOldPictures) {
    if (lower_bound <= p.up_to) return {sjis::from_utf8_lossy(p.name), p.file};
  }
  return {};
}

}  // namespace

void read_signal(std::string_view content, int version, SignalSets& signals,
                 MemberWarnings& warnings) {
  const SignalLayout& layout = layout_for(version);
  signals.clear_aspects();
  int current_set = 0;
  int upper = kTopSpeedStep;           // highest step the next line may fill
  int previous_lower = kTopSpeedStep;  // second value of files without the column
  csv::Reader reader(content);
  csv::Line line;
  while (reader.next(line)) {
    const std::size_t at = reader.line_number();
    if (line.size() == 1 && line.raw(0).empty()) continue;
    if (line.overlong() || line.too_many_fields()) warnings.line_too_long(at);
    const int set = layout.set < 0 ? 1 : line.integer(static_cast<std::size_t>(layout.set));
    if (set < 1 || set > kSignalSetLimit) {
      warnings.record_out_of_range(at, set);
      continue;
    }
    if (set != current_set) {
      current_set = set;
      upper = kTopSpeedStep;
      previous_lower = kTopSpeedStep;
    }
    const int lower = line.integer(static_cast<std::size_t>(layout.lower));
    const int second =
        layout.second < 0 ? previous_lower : line.integer(static_cast<std::size_t>(layout.second));
    previous_lower = lower;
    // A band that starts above the steps still free belongs to no step.
    if (upper < 0 || lower > upper) continue;

    AspectPicture picture;
    if (layout.name < 0) {
      picture = old_picture(lower);
    } else {
      picture.name =
          read_text(line, static_cast<std::size_t>(layout.name), kShortTextBytes, at, warnings);
      picture.file =
          read_text(line, static_cast<std::size_t>(layout.file), kLongTextBytes, at, warnings);
    }
    const auto red = static_cast<std::size_t>(layout.red);
    const ColourTriple colour{line.integer(red), line.integer(red + 1), line.integer(red + 2)};
    signals.pictures.push_back(std::move(picture));
    signals.colours.push_back(colour);

    const AspectEntry entry{true, lower, second, static_cast<int>(signals.pictures.size()) - 1,
                            static_cast<int>(signals.colours.size()) - 1};
    SignalSet& s = set > signals.sets.extent() ? signals.sets.grow_to(set) : signals.sets[set];
    for (int step = upper; step >= std::max(lower, 0); --step) {
      s.aspects[static_cast<std::size_t>(step)] = entry;
    }
    upper = std::max(lower, 0) - 1;
  }
}

void write_signal(const SignalSets& signals, csv::Writer& out) {
  for (int n = 1; n <= signals.sets.extent(); ++n) {
    const SignalSet& set = signals.sets[n];
    int step = kTopSpeedStep;
    while (step >= 0) {
      const AspectEntry& e = set.aspects[static_cast<std::size_t>(step)];
      if (!e.defined) {  // steps no line covered stay unwritten
        --step;
        continue;
      }
      const AspectPicture& picture = aspect_picture(signals, n, step);
      const ColourTriple colour = aspect_colour(signals, n, step);
      out.printf("%3d,", n);
      out.printf("%3d,", e.lower_bound);
      out.printf("%4d,", e.second_value);
      out.printf("%3d,", colour.red);
      out.printf("%3d,", colour.green);
      out.printf("%3d,", colour.blue);
      out.printf("%s,", picture.name.c_str());
      out.printf("%s\n", picture.file.c_str());
      // A bound above the step cannot come from a file; never loop on it.
      step = std::clamp(e.lower_bound, 0, step) - 1;
    }
  }
}

const AspectEntry* aspect_at(const SignalSets& signals, int set, int step) {
  if (!signals.sets.names_record(set)) return nullptr;
  step = std::clamp(step, 0, kTopSpeedStep);
  return &signals.sets[set].aspects[static_cast<std::size_t>(step)];
}

ColourTriple aspect_colour(const SignalSets& signals, int set, int step) {
  const AspectEntry* e = aspect_at(signals, set, step);
  const int k = e ? e->colour : 0;
  if (k < 0 || static_cast<std::size_t>(k) >= signals.colours.size()) return ColourTriple{};
  return signals.colours[static_cast<std::size_t>(k)];
}

const AspectPicture& aspect_picture(const SignalSets& signals, int set, int step) {
  static const AspectPicture kNoPicture;
  const AspectEntry* e = aspect_at(signals, set, step);
  const int k = e ? e->picture : 0;
  if (k < 0 || static_cast<std::size_t>(k) >= signals.pictures.size()) return kNoPicture;
  return signals.pictures[static_cast<std::size_t>(k)];
}

}  // namespace vosk::map
