#include "map/station_view.h"

#include "base/format.h"
#include "base/sjis.h"

namespace vosk::map {

std::vector<std::string> station_track_texts(int target, const RecordTable<Rail>& rails,
                                             const RecordTable<Target>& targets, bool wdia_mode) {
  std::vector<std::string> lines;
  if (!targets.names_record(target)) return lines;
  if (wdia_mode) {
    for (const TrackEntry& track : targets[target].tracks)
      lines.push_back(sjis::to_utf8_lossy(track.long_label));
    return lines;
  }
  for (int r = 1; r <= rails.extent(); ++r) {
    const Rail& rail = rails[r];
    if (rail.target != target || rail.stop_distance == 0) continue;
    lines.push_back(format("%s：%d[m]", sjis::to_utf8_lossy(rail.label).c_str(),
                           rail.stop_distance - 10));
  }
  return lines;
}

bool station_fields_editable(int target, const RecordTable<Target>& targets) {
  return targets.names_record(target) && targets[target].station != 0;
}

}  // namespace vosk::map
