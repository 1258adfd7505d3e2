#pragma once
// Whole-profile operations on the passenger list that the editor needs
// beside the insertion and scaling of the dia model: removing a point,
// taking a copy of a pair's curve and putting one in its place.
#include <vector>

#include "dia/passenger.h"

namespace vosk::passengers {

struct ProfilePoint {
  int time = 0;   // seconds
  int count = 0;  // passengers per hour
  friend bool operator==(const ProfilePoint&, const ProfilePoint&) = default;
};

using Profile = std::vector<ProfilePoint>;

// The pair's points in list order (time order).
Profile profile_of(const dia::PassengerList& list, int from_station, int to_station);

// Removes the pair's point at `time`. The two ends (0 and 28:00:00) stay,
// since every curve starts and ends there. True when a point went.
bool remove_passenger_point(dia::PassengerList& list, int from_station, int to_station, int time);

// The pair's entries replaced by `profile` (an empty profile leaves the pair
// without entries), at the place of the pair in the (from, to) order.
void replace_profile(dia::PassengerList& list, int from_station, int to_station,
                     const Profile& profile);

}  // namespace vosk::passengers
