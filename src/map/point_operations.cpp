#include "map/point_operations.h"

#include <algorithm>

namespace vosk::map {
namespace {

// Counts are limited on load; a record changed since is limited here again
// so that no loop indexes past the arrays.
int rail_count_of(const Point& point) { return std::clamp(point.rail_count, 0, kPointMaxRails); }
int position_count_of(const Point& point) {
  return std::clamp(point.position_count, 0, kPointMaxPositions);
}

bool has_position(const Point& point, int position) {
  return position >= 0 && position < position_count_of(point);
}

bool opens_rail(const Point& point, int rail, int position) {
  for (int i = 0; i < rail_count_of(point); ++i) {
    if (point.rails[i] == rail && point.open[i][position] != 0) return true;
  }
  return false;
}

// The position `k` steps of `step` from `from`, wrapping around.
int position_after(int from, int k, int step, int count) {
  int s = (from + k * step) % count;
  return s < 0 ? s + count : s;
}

int unit_step(int step) { return step < 0 ? -1 : 1; }

}  // namespace

void assign_prail_points(const RecordTable<Point>& points, const RecordTable<Rail>& rails,
                         RecordTable<PRail>& prails) {
  for (int p = 1; p <= prails.extent(); ++p) prails[p].point = 0;
  for (int n = 1; n <= points.extent(); ++n) {
    const Point& point = points[n];
    for (int i = 0; i < rail_count_of(point); ++i) {
      int r = point.rails[i];
      if (!rails.names_record(r)) continue;
      int pack = rails[r].l_pack;
      if (prails.names_record(pack)) prails[pack].point = n;
    }
  }
}

bool set_point_position(Point& point, int position, RecordTable<Rail>& rails,
                        RecordTable<PRail>& prails) {
  if (!has_position(point, position)) return false;
  point.position = position;
  for (int i = 0; i < rail_count_of(point); ++i) {
    int r = point.rails[i];
    if (!rails.names_record(r)) continue;
    Rail& rail = rails[r];
    if (prails.names_record(rail.l_pack)) prails[rail.l_pack].open = point.open[i][position];
    rail.l_next = point.next[i][position];
    rail.l_back = point.back[i][position];
    // A negative link is one-way: the rail it names keeps its own link.
    if (rail.l_next > 0 && rails.names_record(rail.l_next)) rails[rail.l_next].l_back = r;
    if (rail.l_back > 0 && rails.names_record(rail.l_back)) rails[rail.l_back].l_next = r;
  }
  return true;
}

PointMove set_point_for_rail(Point& point, int rail, int step, RecordTable<Rail>& rails,
                             RecordTable<PRail>& prails) {
  int count = position_count_of(point);
  if (count == 0) return PointMove::NotFound;
  bool current_valid = has_position(point, point.position);
  if (current_valid && opens_rail(point, rail, point.position)) return PointMove::AlreadyOpen;
  // From a position the point does not have, every position is tried.
  int from = current_valid ? point.position : 0;
  int tries = current_valid ? count - 1 : count;
  for (int k = 1; k <= tries; ++k) {
    int s = position_after(from, k, unit_step(step), count);
    if (opens_rail(point, rail, s)) {
      set_point_position(point, s, rails, prails);
      return PointMove::Moved;
    }
  }
  return PointMove::NotFound;
}

bool step_point(Point& point, int step, RecordTable<Rail>& rails, RecordTable<PRail>& prails) {
  int count = position_count_of(point);
  if (count == 0) return false;
  int from = has_position(point, point.position) ? point.position : 0;
  return set_point_position(point, position_after(from, 1, unit_step(step), count), rails, prails);
}

}  // namespace vosk::map
