#pragma once
// Acceleration and curve-limit tables: the table files a series file names,
// and the per-series members of a dia bundle.
//
// Members: "table_acceleration_%d.csv" and "table_curve_limit_%d.csv", one
// of each for every series 1 .. extent (a series without a table gives an
// empty member), written after series.csv: all acceleration members in
// series order, then all curve-limit members. They are read back only from
// data version 1150 on.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "stock/series.h"

namespace vosk::stock {

// The table members exist from this data version on.
constexpr int kTableMembersVersion = 1150;

enum class TableKind { Acceleration, CurveLimit };

struct TableFile {
  PerformanceTable rows;  // up to, not including, the first (0, 0) row
  int line_count = 0;     // complete lines: the row count a record keeps
};

// A table file in text mode, two fields a line. Acceleration keys are reals
// stored times 1024 (truncated), all other fields integers. A last line
// without a line end is not read.
TableFile parse_table_file(std::string_view text, TableKind kind);
// nullopt when the file cannot be opened.
std::optional<TableFile> read_table_file(const std::filesystem::path& file, TableKind kind);

// A real key in 1/1024 units, truncated toward zero and held in the int range.
int to_1024ths(double value);

std::string acceleration_member_name(int series);
std::string curve_limit_member_name(int series);

// Reads the member of series `series` (1 .. extent of the table, already
// filled from series.csv) into its table. Does nothing before version 1150.
void read_acceleration_member(std::string_view content, int version, int series, SeriesTable& table,
                              MemberWarnings& warnings);
void read_curve_limit_member(std::string_view content, int version, int series, SeriesTable& table,
                             MemberWarnings& warnings);

// Member contents (the caller writes the "#name" header line first).
void write_acceleration_member(const SeriesTable& table, int series, csv::Writer& out);
void write_curve_limit_member(const SeriesTable& table, int series, csv::Writer& out);

}  // namespace vosk::stock
