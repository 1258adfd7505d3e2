#include "map/track_list.h"

#include <string_view>

#include "base/format.h"
#include "base/sjis.h"
#include "map/member_columns.h"

namespace vosk::map {
namespace {

constexpr std::string_view kTrackWord = "\x94\xd4\x90\xfc";  // 番線 in CP932

bool stops_at(const RecordTable<Rail>& rails, int rail, int target) {
  return rail != 0 && rails.names_record(rail) && rails[rail].target == target &&
         rails[rail].stop_distance != 0;
}

void rename_rail(RecordTable<Rail>& rails, int rail, const Target& target,
                 const TrackEntry& entry) {
  if (!rails.names_record(rail)) return;
  rails[rail].short_name = sjis::cut(target.short_name + entry.short_label, kShortTextBytes);
  rails[rail].name = sjis::cut(target.name + entry.long_label, kLongTextBytes);
}

}  // namespace

void build_track_list(int target_number, const RecordTable<PRail>& prails, RecordTable<Rail>& rails,
                      RecordTable<Target>& targets, bool wdia_mode) {
  if (!targets.names_record(target_number)) return;
  Target& target = targets[target_number];
  target.tracks.clear();
  for (int p = 1; p <= prails.extent(); ++p) {
    const PRail& prail = prails[p];
    if (!stops_at(rails, prail.rail_a, target_number) &&
        !stops_at(rails, prail.rail_b, target_number)) {
      continue;
    }
    int place = static_cast<int>(target.tracks.size()) + 1;
    TrackEntry entry;
    entry.rail_a = prail.rail_a;
    entry.rail_b = prail.rail_b;
    entry.short_label = format("%d", place);
    entry.long_label = format("%02d", place) + std::string(kTrackWord);
    target.tracks.push_back(std::move(entry));
  }
  if (!wdia_mode) return;
  for (const TrackEntry& entry : target.tracks) {
    rename_rail(rails, entry.rail_a, target, entry);
    rename_rail(rails, entry.rail_b, target, entry);
  }
}

void build_track_lists(const RecordTable<PRail>& prails, RecordTable<Rail>& rails,
                       RecordTable<Target>& targets, bool wdia_mode) {
  for (int t = 1; t <= targets.extent(); ++t)
    build_track_list(t, prails, rails, targets, wdia_mode);
}

}  // namespace vosk::map
