#pragma once
// The map tables that route building reads, held by reference: rails with
// their links, the tracks (PRails) that tell which point a rail belongs to,
// the points with their position tables, the stopping places and stations.
// The dia library never sees the whole data set.
#include <climits>

#include "base/record_table.h"
#include "dia/map_tables_ref.h"
#include "map/p_rail.h"
#include "map/point.h"
#include "map/rail.h"
#include "map/station.h"
#include "map/target.h"

namespace vosk::dia {

struct MapView {
  const RecordTable<map::Rail>& rails;
  const RecordTable<map::PRail>& prails;
  const RecordTable<map::Point>& points;
  const RecordTable<map::Target>& targets;
  const RecordTable<map::Station>& stations;

  // The same tables as the timing lookups take them.
  MapTablesRef tables() const { return MapTablesRef{rails, prails, targets, stations}; }

  // The rail record, or nullptr for a number that names no rail.
  const map::Rail* rail(int n) const { return rails.names_record(n) ? &rails[n] : nullptr; }

  // The rail after n in its running direction (links are signed; the
  // absolute value names the rail); 0 at the end of the line or for a link
  // that names no rail.
  int next_rail(int n) const { return named(link(n, &map::Rail::l_next)); }
  // The rail before n, likewise.
  int back_rail(int n) const { return named(link(n, &map::Rail::l_back)); }

  int direction(int n) const {
    const map::Rail* r = rail(n);
    return r != nullptr ? r->direction : 0;
  }
  int target(int n) const {
    const map::Rail* r = rail(n);
    return r != nullptr ? r->target : 0;
  }
  int track(int n) const {
    const map::Rail* r = rail(n);
    return r != nullptr ? r->l_pack : 0;
  }
  // The opposite-direction rail on the same track, 0 when there is none.
  int dual(int n) const { return named(link(n, &map::Rail::l_dual)); }

  // The stopping place of a station stopping rail (a rail with a stopping
  // mark and a target), 0 for any other rail.
  int stopping_target(int n) const {
    const map::Rail* r = rail(n);
    if (r == nullptr || r->stop_distance == 0) return 0;
    return targets.names_record(r->target) ? r->target : 0;
  }

  // The point whose rails include n (through n's PRail), 0 for none.
  int point_of(int n) const {
    const map::Rail* r = rail(n);
    if (r == nullptr || !prails.names_record(r->l_pack)) return 0;
    int p = prails[r->l_pack].point;
    return points.names_record(p) ? p : 0;
  }

 private:
  int link(int n, int map::Rail::*field) const {
    const map::Rail* r = rail(n);
    if (r == nullptr || r->*field == INT_MIN) return 0;
    return r->*field < 0 ? -(r->*field) : r->*field;
  }
  int named(int n) const { return rails.names_record(n) ? n : 0; }
};

}  // namespace vosk::dia
