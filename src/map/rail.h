#pragma once
// Rail: one directed track section, and its member rail.csv.
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"

namespace vosk::map {

inline constexpr int kDefaultRailCapacity = 4095;

struct Rail {
  // 1 leftward, 2 rightward; not stored, derived from the row positions.
  int direction = 0;
  int station = 0;  // kept equal to the station of `target`
  int target = 0;   // stopping place the rail belongs to, 0 = none
  int area = 0;     // target of the station yard the rail lies in, 0 = none
  int signal = 0;   // signal set at the next end, 0 = none
  int route_lever = 0;
  int route_button = 0;
  int normal_route_lever = 0;
  int speed_limit = 0;  // km/h, 0 = no limit of its own
  int length = 0;       // m
  // Links name rails by absolute value; a negative link is not mirrored into
  // the other rail when a point changes position.
  int l_next = 0;
  int l_back = 0;
  int l_dual = 0;         // the rail of the opposite direction on the same track
  int l_pack = 0;         // the PRail carrying this rail
  int stop_distance = 0;  // m into the section, 0 = no stopping mark
  int gradient = 0;       // per mille in the rail's own running direction
  int radius = 0;         // m, 0 = straight
  int occupant = 0;       // Train record, 0 = free
  int row = 0;            // display row, 0 = not drawn
  int row_pos_x_next = 0;
  int row_pos_x_back = 0;
  int row_pos_y_next = 0;
  int row_pos_y_back = 0;
  std::string short_name;  // CP932, at most 20 bytes
  std::string name;        // CP932, at most 255 bytes
  std::string label;       // derived: name and direction suffix (rail_label.h)
};

// 2 when the next end lies at or right of the back end, else 1.
int rail_direction(const Rail& rail);

// Reads rail.csv of data `version` into an allocated table.
void read_rails(std::string_view content, int version, RecordTable<Rail>& table,
                MemberWarnings& warnings);
// Records 0 .. extent, in the current layout; record 0 as a line of zeros.
void write_rails(const RecordTable<Rail>& table, csv::Writer& out);

}  // namespace vosk::map
