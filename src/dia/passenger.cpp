#include "dia/passenger.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "base/time_text.h"
#include "dia/classification_fields.h"

namespace vosk::dia {
namespace {

// The count comes before the time in a line.
enum Column { kFrom, kTo, kCount, kHours, kMinutes, kSeconds };

bool same_pair(const PassengerFlow& e, int from, int to) {
  return e.from_station == from && e.to_station == to;
}

// Where a pair without entries goes: before the first entry of a later pair.
PassengerList::iterator pair_position(PassengerList& list, int from, int to) {
  return std::find_if(list.begin(), list.end(), [&](const PassengerFlow& e) {
    return e.from_station > from || (e.from_station == from && e.to_station > to);
  });
}

// The exact product truncated toward zero. The rounded double product can
// land on the next integer: 105 x 0.9523809523809523 rounds to 100.0 but is
// 99.9999..., and the count must become 99.
double truncated_product(int count, double factor) {
  double product = count * factor;
  double error = std::fma(static_cast<double>(count), factor, -product);  // exact remainder
  double whole = std::trunc(product);
  if (whole == product) {
    if (product > 0 && error < 0) whole -= 1;
    if (product < 0 && error > 0) whole += 1;
  }
  return whole;
}

}  // namespace

bool set_passenger_count(PassengerList& list, int from_station, int to_station, int time,
                         int count) {
  if (from_station == 0 || time < 0 || time > timetext::kMaxInput) return false;
  bool pair_known = std::any_of(list.begin(), list.end(), [&](const PassengerFlow& e) {
    return same_pair(e, from_station, to_station);
  });
  if (!pair_known) {
    auto at = pair_position(list, from_station, to_station);
    list.insert(
        at, {{from_station, to_station, 0, 0}, {from_station, to_station, timetext::kMaxInput, 0}});
  }
  auto existing = std::find_if(list.begin(), list.end(), [&](const PassengerFlow& e) {
    return same_pair(e, from_station, to_station) && e.time == time;
  });
  if (existing != list.end()) {
    existing->count = count;
    return true;
  }
  auto it = std::find_if(list.begin(), list.end(), [&](const PassengerFlow& e) {
    return same_pair(e, from_station, to_station) && e.time > time;
  });
  if (it == list.end()) {
    // Every entry of the pair is earlier: go right after the last of them.
    auto last = std::find_if(list.rbegin(), list.rend(), [&](const PassengerFlow& e) {
      return same_pair(e, from_station, to_station);
    });
    it = last.base();
  }
  list.insert(it, {from_station, to_station, time, count});
  return true;
}

void scale_passenger_pair(PassengerList& list, int from_station, int to_station, double factor) {
  for (PassengerFlow& e : list) {
    if (!same_pair(e, from_station, to_station)) continue;
    double scaled = truncated_product(e.count, factor);
    if (scaled >= static_cast<double>(INT_MAX)) {
      e.count = INT_MAX;
    } else if (scaled <= static_cast<double>(INT_MIN)) {
      e.count = INT_MIN;
    } else {
      e.count = static_cast<int>(scaled);
    }
  }
}

void read_passenger(std::string_view content, int version, PassengerList& list,
                    MemberWarnings& warnings) {
  list.clear();
  if (version < 34) return;  // no such member before
  ColumnLayout layout({0, 0, 0, 0, 0, 0}, version);
  for_each_row(content, layout, warnings, [&](const Row& row) {
    PassengerFlow e;
    e.from_station = row.integer(kFrom);
    // From-station 0 ends the list in the file's model: nothing to keep.
    if (e.from_station == 0) return;
    e.to_station = row.integer(kTo);
    e.count = row.integer(kCount);
    e.time = row.seconds_hms(kHours);
    list.push_back(e);
  });
}

void write_passenger(const PassengerList& list, csv::Writer& out) {
  for (const PassengerFlow& e : list) {
    Hms t = split_hms(e.time);
    out.printf("%3d,", e.from_station);
    out.printf("%3d,", e.to_station);
    out.printf("%4d,", e.count);
    out.printf("%2d,", t.hours);
    out.printf("%02d,", t.minutes);
    out.printf("%02d", t.seconds);
    out.printf("\n");
  }
}

}  // namespace vosk::dia
