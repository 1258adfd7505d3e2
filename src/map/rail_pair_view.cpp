#include "map/rail_pair_view.h"

#include "map/rail_pair_edit.h"

namespace vosk::map {

RailPairFields rail_pair_fields(int clicked, const RecordTable<Rail>& rails,
                                const RecordTable<PRail>& prails, const RecordTable<Point>& points) {
  RailPairFields fields;
  if (!rails.names_record(clicked)) return fields;
  const RailPair pair = rail_pair_of(rails, clicked);
  fields.leftward = pair.leftward != 0;
  fields.rightward = pair.rightward != 0;
  fields.stop_distances = rails[clicked].station != 0 || rails[clicked].target != 0;
  const int pack = rails[clicked].l_pack;
  fields.point_key = prails.names_record(pack) && points.names_record(prails[pack].point);
  return fields;
}

}  // namespace vosk::map
