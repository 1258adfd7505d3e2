#pragma once
// PRail: one physical track carrying one or two directed rails, and its
// member p_rail.csv.
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"

namespace vosk::map {

inline constexpr int kDefaultPRailCapacity = 2047;

struct PRail {
  int single_track = 0;     // 1: used in both directions as single track
  int electrification = 0;  // code, see electrification.h
  int rail_a = 0;
  int rail_b = 0;  // 0 when the track is one-directional
  int open = 0;    // usable in the current position of its point
  int point = 0;   // derived: the point containing the track (point.h)
  int lever = 0;   // route lever holding the track (state)
};

void read_prails(std::string_view content, int version, RecordTable<PRail>& table,
                 MemberWarnings& warnings);
// Records 0 .. extent; record 0 as a line of zeros.
void write_prails(const RecordTable<PRail>& table, csv::Writer& out);

}  // namespace vosk::map
