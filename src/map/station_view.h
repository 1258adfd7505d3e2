#pragma once
// What the station property dialog (駅情報設定) shows besides the values it
// edits: the stopping place's track list and which fields can be changed.
#include <string>
#include <vector>

#include "base/record_table.h"
#include "map/rail.h"
#include "map/target.h"

namespace vosk::map {

// The track list lines (UTF-8). Outside WdiaMode: every rail of the target
// with a stopping mark, in rail order, as "%s：%d[m]" (its label and the
// stop distance less 10 m); in WdiaMode the long labels of the target's
// track list.
std::vector<std::string> station_track_texts(int target, const RecordTable<Rail>& rails,
                                             const RecordTable<Target>& targets, bool wdia_mode);

// A stopping section outside stations has only its names and time display;
// scale, melody, door times and the track switch belong to stations.
bool station_fields_editable(int target, const RecordTable<Target>& targets);

}  // namespace vosk::map
