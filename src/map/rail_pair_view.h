#pragma once
// Which parts of the rail property dialog (線路情報入力) a rail's track
// offers: a side for each existing directed rail, the stop distances only for
// a rail already in a stopping place, the point key only on a point.
#include "base/record_table.h"
#include "map/p_rail.h"
#include "map/point.h"
#include "map/rail.h"

namespace vosk::map {

struct RailPairFields {
  bool leftward = false;
  bool rightward = false;
  bool stop_distances = false;
  bool point_key = false;
  friend bool operator==(const RailPairFields&, const RailPairFields&) = default;
};

RailPairFields rail_pair_fields(int clicked, const RecordTable<Rail>& rails,
                                const RecordTable<PRail>& prails, const RecordTable<Point>& points);

}  // namespace vosk::map
