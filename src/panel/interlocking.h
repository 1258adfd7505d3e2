#pragma once
// The interlocking operations on the map records: setting and cancelling a
// route from a start lever to an end button, with its path search and its
// conflict checks, and operating a point under its locks. Messages are
// UTF-8 texts for the message window; the records keep their CP932 bytes.
#include <functional>
#include <string>
#include <vector>

#include "datafiles/data_set.h"

namespace vosk::panel {

// What the panel knows of placed trains: the train whose body covers a rail
// and a train's state (1 is a train that does not hold the line ahead).
struct PlacedTrains {
  std::function<int(int rail)> on_rail = [](int) { return 0; };
  std::function<int(int train)> state = [](int) { return 0; };
};

// Who operates a point.
enum class PointCaller : int { Manual = 0, RouteSetting = 2, RouteConstruction = 3 };

struct Outcome {
  bool ok = false;
  std::string message;  // empty when nothing is to be shown
};

// The lever's start rail and the button's rail, 0 when none.
int start_rail_of_lever(const datafiles::MapTables& map, int lever);
int rail_of_button(const datafiles::MapTables& map, int button);

// The rails from the one after `start` up to and including `destination`
// along the next links, choosing branches at points; empty when there is no
// such path. A path never runs through another route's end button.
std::vector<int> find_route_path(const datafiles::MapTables& map, int start, int destination,
                                 bool prefer_other_branch);

// Sets a route from start rail `start` to destination rail `destination`,
// along `rails` when given, else along the path search. Refusals change
// nothing; points already moved before a lock was met stay moved. No path:
// success with nothing changed.
Outcome set_route(datafiles::MapTables& map, const PlacedTrains& trains, int start, int destination,
                  const std::vector<int>* rails, bool prefer_other_branch);

// Clears the lever's current route, its end button's owner and the lever
// mark of every track it holds.
void cancel_route(datafiles::MapTables& map, int lever);

// A train on any rail of a track the lever holds, 0 when none.
int train_in_route(const datafiles::MapTables& map, const PlacedTrains& trains, int lever);

// Makes the lever's current route its normal route: every rail of the
// lever's direction on the tracks it holds gets the lever as its
// normal-route lever, and rails that named the lever before but are not on
// the route any more lose that mark. Refused, changing nothing, when a held
// rail belongs to another lever's normal route.
Outcome set_normal_route(datafiles::MapTables& map, int lever);
inline constexpr const char* kRouteErrorCaption = "進路エラー";

// Operates point `point` by `step` (+1 or -1). With `key_rail` the point
// goes to the first position in which that rail is open.
Outcome operate_point(datafiles::MapTables& map, const PlacedTrains& trains, int point, int step,
                      PointCaller caller, int key_rail);

}  // namespace vosk::panel
