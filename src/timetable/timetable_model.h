#pragma once
// The station timetables of the timetable window: which runs enter the down
// and the up table, the stations of each table with their rows, and the text
// and colour of every cell of a run's column.
#include <cstdint>
#include <string>
#include <vector>

#include "datafiles/data_set.h"

namespace vosk::timetable {

// The window's view flags that change what the tables hold.
struct TableView {
  bool suspense = true;   // runs without an owning unit
  bool coupled = false;   // runs coupled behind another (ViewDouble)
  bool deadhead = false;  // runs whose type carries no passengers
  bool pass = false;      // pass times instead of "ﾚ" in the departure row
  bool seconds = false;
  bool colons = false;
};

enum class RowKind { Arrival, Track, Departure };

struct TableRow {
  int target = 0;
  RowKind kind = RowKind::Departure;
};

struct Colour {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Colour&) const = default;
};

inline constexpr Colour kGrey{128, 128, 128};

struct Cell {
  std::string text;  // CP932
  Colour colour = kGrey;
};

struct Table {
  std::vector<int> stations;  // targets in the table's order
  std::vector<TableRow> rows;
  std::vector<int> runs;  // diagram numbers in column order
};

// Where a run's table events lie in its event list.
struct RunSpan {
  bool down = false;
  bool up = false;
  int first = -1;  // earliest table event
  int last = -1;   // latest table event
};

struct Timetables {
  Table down;
  Table up;
  std::vector<RunSpan> spans;  // indexed by diagram number
};

// Targets on display target `display_target` (0-based): increasing distance,
// or decreasing for `reverse`; ties by target number.
std::vector<int> station_order(const datafiles::DataSet& ds, int display_target, bool reverse);

// Whether a run is shown at all, before its stations are looked at.
bool qualifies(const datafiles::DataSet& ds, const dia::Diagram& d, const TableView& view);

Timetables build_timetables(const datafiles::DataSet& ds, int display_target,
                            const TableView& view);

// "%2d" hours with minutes (and seconds), after the day wrap.
std::string time_text(int t, bool seconds, bool colons);

// One cell per row of `table` for run `n`.
std::vector<Cell> run_cells(const datafiles::DataSet& ds, const Timetables& tables,
                            const Table& table, int n, const TableView& view);

// The first event (index) of a run at a rail of each target, filled in one
// pass over the run's events.
class FirstEvents {
 public:
  explicit FirstEvents(const datafiles::DataSet& ds);
  void fill(const dia::Diagram& d);
  int at(int target) const {
    return target > 0 && target < static_cast<int>(index_.size()) ? index_[target] : -1;
  }

 private:
  const datafiles::DataSet& ds_;
  std::vector<int> index_;    // by target, -1 = no event there
  std::vector<int> touched_;  // targets to reset before the next run
};

}  // namespace vosk::timetable
