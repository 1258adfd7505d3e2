#include "passengers/passenger_profile.h"

#include <algorithm>

#include "base/time_text.h"

namespace vosk::passengers {
namespace {

bool same_pair(const dia::PassengerFlow& e, int from, int to) {
  return e.from_station == from && e.to_station == to;
}

}  // namespace

Profile profile_of(const dia::PassengerList& list, int from_station, int to_station) {
  Profile profile;
  for (const dia::PassengerFlow& e : list) {
    if (same_pair(e, from_station, to_station)) profile.push_back({e.time, e.count});
  }
  return profile;
}

bool remove_passenger_point(dia::PassengerList& list, int from_station, int to_station, int time) {
  if (time <= 0 || time >= timetext::kMaxInput) return false;
  auto it = std::find_if(list.begin(), list.end(), [&](const dia::PassengerFlow& e) {
    return same_pair(e, from_station, to_station) && e.time == time;
  });
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

void replace_profile(dia::PassengerList& list, int from_station, int to_station,
                     const Profile& profile) {
  // Where the pair's first entry was, or where a new pair goes.
  auto first = std::find_if(list.begin(), list.end(), [&](const dia::PassengerFlow& e) {
    return same_pair(e, from_station, to_station);
  });
  std::ptrdiff_t at = first - list.begin();
  if (first == list.end()) {
    auto later = std::find_if(list.begin(), list.end(), [&](const dia::PassengerFlow& e) {
      return e.from_station > from_station ||
             (e.from_station == from_station && e.to_station > to_station);
    });
    at = later - list.begin();
  }
  list.erase(std::remove_if(list.begin(), list.end(),
                            [&](const dia::PassengerFlow& e) {
                              return same_pair(e, from_station, to_station);
                            }),
             list.end());
  // Entries of the pair before `at` were removed too, but none lay before the
  // first of them, so `at` is still the right place.
  std::vector<dia::PassengerFlow> entries;
  entries.reserve(profile.size());
  for (const ProfilePoint& p : profile)
    entries.push_back({from_station, to_station, p.time, p.count});
  list.insert(list.begin() + at, entries.begin(), entries.end());
}

}  // namespace vosk::passengers
