#pragma once
// Points acting on the track: which PRails a point contains, setting a
// position, and the position searches of the track panel's point operations.
#include "base/record_table.h"
#include "map/p_rail.h"
#include "map/point.h"
#include "map/rail.h"

namespace vosk::map {

// Derived at load: every PRail carrying one of a point's rails gets the
// point's number; every other PRail gets 0.
void assign_prail_points(const RecordTable<Point>& points, const RecordTable<Rail>& rails,
                         RecordTable<PRail>& prails);

// Sets `point` to `position`: each of its rails takes the position's links
// and usability, and a positive new link is mirrored into the rail it names.
// False, changing nothing, when the point has no such position. Rail and
// PRail numbers outside the tables are passed over.
bool set_point_position(Point& point, int position, RecordTable<Rail>& rails,
                        RecordTable<PRail>& prails);

enum class PointMove {
  AlreadyOpen,  // the rail is open in the current position; nothing changed
  Moved,        // the point was set to a new position; refresh the display
  NotFound,     // no position opens the rail; nothing changed
};

// Tries the positions after the current one in steps of `step` (+1 or -1,
// wrapping around) and sets the point to the first one in which `rail` is
// open.
PointMove set_point_for_rail(Point& point, int rail, int step, RecordTable<Rail>& rails,
                             RecordTable<PRail>& prails);

// Sets the point to the next position in steps of `step` (+1 or -1,
// wrapping around). False for a point without positions.
bool step_point(Point& point, int step, RecordTable<Rail>& rails, RecordTable<PRail>& prails);

}  // namespace vosk::map
