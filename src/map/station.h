#pragma once
// Station, its member station.csv and its departure melodies, which live in
// the sound settings member (sound.ini).
#include <string>
#include <string_view>
#include <vector>

#include "base/csv.h"
#include "base/ini.h"
#include "base/load_warnings.h"
#include "base/record_table.h"
#include "map/target.h"

namespace vosk::map {

inline constexpr int kDefaultStationCapacity = 127;

enum StationScale : int {
  kUnstaffed = 1,  // 無人駅
  kStaffed = 2,    // 有人駅
  kMajor = 3,      // 主要駅
};

// Section of sound.ini holding the melodies: "発メロ" in CP932.
inline constexpr std::string_view kMelodySection = "\x94\xad\x83\x81\x83\x8d";
inline constexpr std::string_view kDefaultMelodyFile = "station.wav";

struct Station {
  int distance = 0;           // units of 10 m
  int value_b = 0;            // kept and written back as read
  int scale = 0;              // StationScale
  int melody_time = 0;        // s, 0 = no melody
  int door_close_min = 0;     // s
  int door_close_mid = 0;     // s
  int door_close_max = 0;     // s
  int value_c = 0;            // kept and written back as read
  int value_d = 0;            // kept and written back as read
  std::string one_char_name;  // CP932, at most 20 bytes
  std::string short_name;     // CP932, at most 20 bytes; the key in sound.ini
  std::string name;           // CP932, at most 255 bytes
  std::string melody_file;    // CP932, at most 255 bytes; from sound.ini
  // Passenger demand values the passenger editor shows and adjusts. No
  // member stores them: they live while the data set is open.
  int passengers_per_hour = 0;   // simple simulation, per hour
  int passengers_per_train = 0;  // simple simulation, per train
  // Per destination station: its share, in thousandths, of this station's
  // profile towards every station without a profile of its own. Missing
  // entries count as 0.
  std::vector<int> destination_share;
};

void read_stations(std::string_view content, int version, RecordTable<Station>& table,
                   MemberWarnings& warnings);
// Records 0 .. extent; record 0 as a line of zeros and empty texts.
void write_stations(const RecordTable<Station>& table, csv::Writer& out);

// Data of versions 1000 to 1009 kept a station's distance only in the
// station: copies it into all ten display-target distances of every target
// of that station. Does nothing for other versions. Run after both
// station.csv and target.csv are read.
void copy_station_distances(int version, const RecordTable<Station>& stations,
                            RecordTable<Target>& targets);

// Melody file of every station 1 .. extent from section "発メロ", keyed by
// the short name; "station.wav" when missing.
void load_station_melodies(const ini::Document& sound_ini, RecordTable<Station>& table);
// The lines of that section (not its "[発メロ]" header): one
// "short name=melody file" line per station 1 .. extent.
void write_station_melodies(const RecordTable<Station>& table, csv::Writer& out);

}  // namespace vosk::map
