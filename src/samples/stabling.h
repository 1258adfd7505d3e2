#pragma once
// Where the sets go for the night. A set whose last trip ended at a
// terminal would hold a platform there until the end of the operating day,
// and a busy line has far more sets than its terminals have platforms; so
// the last trips are cut short and the sets stable on platforms along the
// line, the way the last trains of the night often run only part of it.
#include <vector>

#include "samples/timetable.h"

namespace vosk::samples {

// A stop a trip makes between its terminals.
struct TripStop {
  int event = 0;    // index in the trip's route events
  int track = 0;    // the platform it stops on
  int arrival = 0;  // seconds after midnight
  int departure = 0;
};

// Cuts the last trips of the sets (no `next`) short at one of their stops
// (`stops[trip]`, in running order): `last_stop` becomes that stop's event
// and `arrive` its arrival. A set stables only on a platform where no other
// trip stops after it has arrived, and only one set on each. The latest
// trips stable nearest their origin, so that earlier ones still run past
// them. A set that finds no such platform runs on to its terminal.
void stable_along_the_line(std::vector<Trip>& trips,
                           const std::vector<std::vector<TripStop>>& stops);

}  // namespace vosk::samples
