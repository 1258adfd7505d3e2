#pragma once
// Section and key names of series files, as CP932 bytes. They are written in
// the source as UTF-8 and converted once.
#include <array>
#include <string>

namespace vosk::stock {

struct SeriesFileKeys {
  std::string section;  // 形式情報
  std::string name, short_name, cars, train_length, door_count, door_width, capacity, max_load,
      max_speed, gauge;
  std::array<std::string, 6> electrification;  // ASCII keys, by code 0..5
  std::array<std::string, 3> turnback_time, coupling_time, splitting_time;
  std::string acceleration;
  std::array<std::string, 3> service_brake;
  std::string atc_brake, emergency_brake, characteristics, train_mass, motors;
  std::string inertia;
  std::array<std::string, 4> running_resistance;
  std::string curve_resistance, running_sound_speed;
  std::string acceleration_table, curve_table;
  std::string picture, icon;
  std::array<std::string, 6> sounds;  // by SeriesSound
};

const SeriesFileKeys& series_file_keys();

}  // namespace vosk::stock
