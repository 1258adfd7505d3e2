#pragma once
// The sample line: a double-track main line from a west terminal (turnback
// platforms and sidings) to an east terminal, with passing loops at some
// stations and a junction where a single-track branch leaves toward its own
// terminal. The layout is built once; the map tables are written from it.
#include <string>
#include <vector>

#include "datafiles/data_set.h"
#include "samples/random.h"
#include "samples/track.h"

namespace vosk::samples {

using datafiles::DataSet;
using datafiles::Header;
using datafiles::MapTables;

enum class StationRole {
  WestTerminal,  // stub platforms and sidings behind one throat
  Simple,        // one platform per main track
  Loop,          // main tracks and a passing loop on each side
  Junction,      // main tracks, a bay for the branch, a crossover
  EastTerminal,  // two stub platforms
  BranchHalt,    // one platform on the single track
  BranchLoop,    // two platforms: a crossing loop on the single track
  BranchEnd,     // two stub platforms
};

// The platforms of one station as PRail (segment) numbers, 0 when absent.
struct StationPlan {
  StationRole role = StationRole::Simple;
  int number = 0;  // Station and Target record number
  int scale = 1;   // map::StationScale
  int down = 0;    // main track used rightward (the single platform of a halt)
  int up = 0;      // main track used leftward
  int down_loop = 0;
  int up_loop = 0;
  int bay = 0;                // junction: the branch's platform
  std::vector<int> terminal;  // terminals: platforms in track order
};

struct StationDrawPlan {
  int target = 0;
  XY top_left;
  XY bottom_right;
};

struct SampleLine {
  TrackBuilder track;
  std::vector<StationPlan> main;    // west to east; main[0] and main.back() are terminals
  std::vector<StationPlan> branch;  // from the junction outward; branch.back() is the end
  int junction = 0;                 // index into main
  std::vector<std::string> names;   // UTF-8 station names by station number ([0] unused)
  std::vector<int> row_starts;      // x where each display row begins, row 1 first
  std::vector<StationDrawPlan> draws;

  int station_count() const { return static_cast<int>(names.size()) - 1; }
  // True for a rail running against the usual direction of a main track on
  // the open line (left-hand running: rightward on the down track only).
  bool against_traffic(int rail) const;
  // Display row of an item whose left end lies at x.
  int row_of(int x) const;
};

// Smallest and largest station counts the layout supports.
inline constexpr int kMinSampleStations = 5;
// Longer lines would have runs longer than a day.
inline constexpr int kMaxSampleStations = 300;

// Lays out a line of `stations` stations (kMinSampleStations ..
// kMaxSampleStations).
SampleLine lay_out_line(int stations, SampleRandom& random);

// Writes rails, PRails, points, rows, station drawings, jumps, details and
// the signal set; every table allocated with room to spare.
void write_track_tables(const SampleLine& line, MapTables& map);

// Writes stations and targets. `distances[n]` is station n's distance in
// metres along its own line: from the west terminal on the main line, from
// the junction on the branch. Display target 1 shows the main line, display
// target 2 the branch (the junction at 0); a station's distance counts on
// from the junction for branch stations.
void write_station_tables(const SampleLine& line, const std::vector<int>& distances,
                          MapTables& map);

}  // namespace vosk::samples
