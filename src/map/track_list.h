#pragma once
// Track lists of targets: the platform tracks (PRails) of a stopping place,
// numbered in PRail order.
#include "base/record_table.h"
#include "map/p_rail.h"
#include "map/rail.h"
#include "map/target.h"

namespace vosk::map {

// Rebuilds the list of target `target`: every PRail with a rail that belongs
// to the target and has a stopping mark. In WdiaMode (a dia imported from
// WinDIA) the rails of each track are renamed after the target and the
// track: short name + "%d", name + "%02d番線", cut to the field sizes.
void build_track_list(int target, const RecordTable<PRail>& prails, RecordTable<Rail>& rails,
                      RecordTable<Target>& targets, bool wdia_mode);
// The same for every target 1 .. extent; run after target.csv is read.
void build_track_lists(const RecordTable<PRail>& prails, RecordTable<Rail>& rails,
                       RecordTable<Target>& targets, bool wdia_mode);

}  // namespace vosk::map
