#pragma once
// RouteLever: a route lever of the interlocking panel, and route_lever.csv.
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"

namespace vosk::map {

// Control modes of a lever.
inline constexpr int kLeverManual = 0;
inline constexpr int kLeverRestore = 1;
inline constexpr int kLeverRequest = 2;

struct RouteLever {
  int mode = 0;           // kLeverManual, kLeverRestore or kLeverRequest
  int normal_route = 0;   // RouteButton ending the normal route, 0 = none
  int current_route = 0;  // RouteButton ending the route set now, 0 = none
  int flag1 = 0;          // kept as read
  int direction = 0;      // 1 or 2
  int lever_shown = 0;    // 0/1: the lever symbol is drawn
  int lever_row = 0;
  int lever_x = 0;
  int lever_y = 0;
  int button_shown = 0;  // 0/1: the lever's end-button symbol is drawn
  int button_row = 0;
  int button_x = 0;
  int button_y = 0;
};

inline constexpr int kDefaultRouteLeverCapacity = 0;  // [StructSize] RouteLever

// Levers 1 .. capacity.
void read_route_lever(std::string_view content, int version, RecordTable<RouteLever>& table,
                      MemberWarnings& warnings);
// Levers 1 .. extent; no lines for an empty table.
void write_route_lever(const RecordTable<RouteLever>& table, csv::Writer& out);

}  // namespace vosk::map
