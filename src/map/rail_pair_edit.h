#pragma once
// The rail property edit (線路情報入力): both directed rails of a track are
// edited at once, the leftward rail (direction 1) and the rightward one.
#include <string>

#include "base/prompt.h"
#include "base/record_table.h"
#include "map/edit_error.h"
#include "map/p_rail.h"
#include "map/point.h"
#include "map/rail.h"
#include "map/target.h"

namespace vosk::map {

// The two sides of the track of a rail; 0 for a side without a rail.
struct RailPair {
  int leftward = 0;
  int rightward = 0;
};
// The clicked rail is the side of its direction, its l_dual the other one.
RailPair rail_pair_of(const RecordTable<Rail>& rails, int clicked);

struct RailSideInput {
  std::string short_name;  // CP932
  std::string name;        // CP932
  int stop_distance = 0;   // m
  int signal = 0;
};

// The inputs a refusal names (EditError::field).
enum RailPairField : int {
  kRailNoField = 0,
  kRailSpeedLimit,
  kRailLength,
  kRailLeftwardStop,
  kRailRightwardStop,
  kRailPointKey,
};

// What the dialog collects. Texts are CP932 bytes.
struct RailPairInput {
  int target = 0;  // 0 = outside stopping places (（駅外）)
  int area = 0;    // 0 = none
  int electrification = 0;
  bool single_track = false;
  int length = 0;  // m
  bool speed_limit_on = false;
  int speed_limit = 0;    // km/h
  int gradient = 0;       // per mille, as the rightward rail sees it
  int radius = 0;         // m, as the rightward rail sees it
  std::string point_key;  // used only when the track lies on a point
  RailSideInput leftward;
  RailSideInput rightward;
};

// The values the dialog starts with. Gradient and radius are rightward
// values: the leftward rail's negated when there is one, else the rightward
// rail's own.
RailPairInput rail_pair_values(int clicked, const RecordTable<Rail>& rails,
                               const RecordTable<PRail>& prails, const RecordTable<Point>& points);

// Checks the input in the dialog's order and applies it to both rails, the
// track and its point's key. Refused with the first failing check's message,
// or Declined when the user does not confirm a gradient in a stopping place;
// then nothing changes. Rail labels and track lists are not rebuilt here.
EditResult edit_rail_pair(int clicked, const RailPairInput& input, RecordTable<Rail>& rails,
                          RecordTable<PRail>& prails, RecordTable<Point>& points,
                          const RecordTable<Target>& targets, Prompt& prompt);

}  // namespace vosk::map
