#include "map/signal_set.h"

#include "base/sjis.h"
#include "map/member_columns.h"

namespace vosk::map {

void SignalSets::clear() {
  sets.allocate(kSignalSetLimit);
  clear_aspects();
}

void SignalSets::clear_aspects() {
  pictures.clear();
  pictures.reserve(kAspectPictureInitialSize + 1);
  pictures.emplace_back();
  colours.assign(1, ColourTriple{});
  for (SignalSet& set : sets) set.aspects.fill(AspectEntry{});
}

void read_signal_set(std::string_view content, int version, SignalSets& signals,
                     MemberWarnings& warnings) {
  if (version < kSignalSetMemberSince) {
    signals.sets.grow_to(1).name = sjis::from_utf8_lossy("５現示信号機");
    return;
  }
  read_numbered_lines(content, signals.sets, warnings,
                      [&](const csv::Line& line, SignalSet& set, std::size_t at) {
                        set.value = line.integer(1);
                        set.name = read_text(line, 2, kShortTextBytes, at, warnings);
                        set.description = read_text(line, 3, kLongTextBytes, at, warnings);
                      });
}

void write_signal_set(const SignalSets& signals, csv::Writer& out) {
  for (int n = 1; n <= signals.sets.extent(); ++n) {
    const SignalSet& set = signals.sets[n];
    out.printf("%3d,", n);
    out.printf("%3d,", set.value);
    out.printf("%s,", set.name.c_str());
    out.printf("%s\n", set.description.c_str());
  }
}

}  // namespace vosk::map
