#pragma once
// DiaEvent: one entry of a diagram's route and timetable.
namespace vosk::dia {

// Event type codes as stored in d_event.csv.
enum EventType : int {
  kEventEnd = 0,           // end of the list; repeats the last rail and time of the run
  kEventStop = 1,          // stop, `time` = departure
  kEventArrival = 2,       // arrival; the end of a run or the first half of a split stop
  kEventPass = 3,          // pass, `time` = passing time
  kEventPointBoth = 4,     // point listing the approaching rail in both directions
  kEventPoint = 5,         // any other point
  kEventStopNoSearch = 7,  // stop the passenger connection search does not use
};

struct DiaEvent {
  int rail = 0;
  // Seconds after midnight; for point entries (types 4 and 5) the point
  // setting instead.
  int time = 0;
  int type = kEventEnd;

  bool operator==(const DiaEvent&) const = default;
};

}  // namespace vosk::dia
