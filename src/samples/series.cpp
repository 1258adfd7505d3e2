// The series of the sample data set.
#include "samples/dia.h"
#include "samples/names.h"
#include "map/electrification.h"

namespace vosk::samples {
namespace {

struct SeriesProfile {
  const char* short_name;
  const char* name;
  int cars;
  int train_length;  // m
  int door_count;
  int door_width;  // mm
  int capacity;
  int max_load;   // %
  int max_speed;  // km/h
  // Accelerations as series files give them, in 1/100 km/h/s.
  int acceleration;
  int service_brake[3];
  int atc_brake;
  int emergency_brake;
  int train_mass;  // t
  int motors;
};

// Made-up stock: commuter sets for the main line and a short set for the
// branch. The ATC brake stays above the map's signal deceleration (3.6 km/h/s).
constexpr SeriesProfile kSeries[] = {
    {"6000", "6000系", 4, 80, 16, 1300, 560, 250, 110, 300, {200, 300, 400}, 400, 450, 130, 8},
    {"8000", "8000系", 6, 120, 18, 1300, 780, 200, 120, 260, {220, 320, 420}, 420, 480, 200, 12},
    {"2000", "2000系", 2, 40, 6, 1000, 260, 200, 100, 280, {200, 300, 400}, 400, 450, 70, 4},
};

// From 1/100 km/h/s to 1/1024 km/h/s, as reading a series file converts.
int to_1024(int hundredths) { return hundredths * 1024 / 100; }

}  // namespace

void write_series(stock::SeriesTable& series) {
  stock::reset_series(series);
  int n = 0;
  for (const SeriesProfile& profile : kSeries) {
    stock::Series& s = series.grow_to(++n);
    s.version = stock::kSeriesVersion;
    s.cars = profile.cars;
    s.train_length = profile.train_length;
    s.door_count = profile.door_count;
    s.door_width = profile.door_width;
    s.capacity = profile.capacity;
    s.max_load = profile.max_load;
    s.max_speed = profile.max_speed;
    s.electrification[map::kDc1500V] = 1;
    s.gauge = 1067;
    s.turnback_time = {60, 120, 180};
    s.coupling_time = {120, 180, 240};
    s.splitting_time = {90, 120, 180};
    s.acceleration = to_1024(profile.acceleration);
    for (int k = 0; k < 3; ++k)
      s.service_brake[static_cast<std::size_t>(k)] = to_1024(profile.service_brake[k]);
    s.atc_brake = to_1024(profile.atc_brake);
    s.emergency_brake = to_1024(profile.emergency_brake);
    s.characteristics = 1;
    s.train_mass = profile.train_mass;
    s.motors = profile.motors;
    s.inertia = stock::kDefaultInertia;
    s.running_resistance = stock::kDefaultRunningResistance;
    s.curve_resistance = stock::kDefaultCurveResistance;
    s.file_time = {2024, 4, 1, 9, 0, n};
    s.running_sound_speed = 90;
    s.short_name = record_text(profile.short_name, stock::kShortNameBytes);
    s.name = record_text(profile.name, stock::kNameBytes);
    // Acceleration falls off with speed: (km/h/s in 1/1024, up to km/h).
    const int speed_percent[] = {35, 55, 70, 85, 100};
    const int accel_percent[] = {100, 80, 55, 35, 20};
    for (int k = 0; k < 5; ++k) {
      s.acceleration_table.push_back(
          {s.acceleration * accel_percent[k] / 100, profile.max_speed * speed_percent[k] / 100});
    }
    // Curve limits: (radius m, km/h).
    s.curve_table = {{160, 45}, {250, 55}, {400, 70}, {600, 85}, {800, 95}};
    s.acceleration_rows = static_cast<int>(s.acceleration_table.size());
    s.curve_rows = static_cast<int>(s.curve_table.size());
  }
}

}  // namespace vosk::samples
