// train.csv and unit.csv.
#include "base/sjis.h"
#include "dia/dia_members.h"
#include "map/member_columns.h"

namespace vosk::dia {
namespace {

using map::IntColumn;

// Before version 35 the series column of train.csv names an entry of the old
// fixed series table; every such duty runs series 1.
constexpr int kFirstVersionWithSeriesColumn = 35;

constexpr IntColumn<Train> kTrainColumns[] = {
    {&Train::first_diagram, "%3d,"},
    {&Train::initial_rail, "%3d,"},
    {&Train::head_unit, "%3d,"},
};

constexpr IntColumn<Unit> kUnitColumns[] = {
    {&Unit::first_diagram, "%3d,", kFirstVersionWithUnitChains},
    {&Unit::train, "%3d,"},
    {&Unit::unit_ahead, "%3d,"},
    {&Unit::unit_behind, "%3d,"},
    {&Unit::series, "%3d,"},
};

// Like map::read_numbered_lines, but the duty tables grow to hold any number
// a line names (up to kMaxDiaRecordNumber) instead of stopping at the
// capacity from the header.
template <class Record, class Store>
void read_growing_lines(std::string_view content, RecordTable<Record>& table,
                        MemberWarnings& warnings, Store store) {
  csv::Reader reader(content);
  csv::Line line;
  while (reader.next(line)) {
    std::size_t at = reader.line_number();
    if (line.overlong() || line.too_many_fields()) warnings.line_too_long(at);
    int number = line.integer(0);
    if (number == 0) continue;
    if (number < 0 || number > kMaxDiaRecordNumber) {
      warnings.record_out_of_range(at, number);
      continue;
    }
    Record& record = table.grow_to(number);
    record = Record{};
    store(line, record, number, at);
  }
}

// A file without unit.csv: the duty's third number is the series of its only
// formation, which takes the duty's number and name.
void make_sole_unit(DiaTables& dia, Train& train, int number, int version, std::size_t line_number,
                    MemberWarnings& warnings) {
  Unit& unit = dia.units.grow_to(number);
  unit = Unit{};
  unit.train = number;
  unit.series = version < kFirstVersionWithSeriesColumn ? 1 : train.head_unit;
  if (train.name.size() > kUnitNameBytes) warnings.text_too_long(line_number);
  unit.name = std::string(sjis::cut(train.name, kUnitNameBytes));
  train.head_unit = number;
}

}  // namespace

void read_train(std::string_view content, int version, DiaTables& dia, MemberWarnings& warnings) {
  read_growing_lines(content, dia.trains, warnings,
                     [&](const csv::Line& line, Train& train, int number, std::size_t at) {
                       std::size_t k = map::read_columns(line, 1, version, kTrainColumns, train);
                       train.name = map::read_text(line, k, kTrainNameBytes, at, warnings);
                       if (version < kFirstVersionWithUnits) {
                         make_sole_unit(dia, train, number, version, at, warnings);
                       }
                     });
}

void write_train(const DiaTables& dia, csv::Writer& out) {
  for (int n = 0; n <= dia.trains.extent(); ++n) {
    const Train& train = dia.trains[n];
    out.printf("%2d,", n);
    map::write_columns(out, train, kTrainColumns);
    out.printf("%s,\n", train.name.c_str());
  }
}

void read_unit(std::string_view content, int version, DiaTables& dia, MemberWarnings& warnings) {
  if (version < kFirstVersionWithUnits) return;  // made from train.csv
  read_growing_lines(content, dia.units, warnings,
                     [&](const csv::Line& line, Unit& unit, int, std::size_t at) {
                       std::size_t k = map::read_columns(line, 1, version, kUnitColumns, unit);
                       unit.name = map::read_text(line, k, kUnitNameBytes, at, warnings);
                     });
}

void write_unit(const DiaTables& dia, csv::Writer& out) {
  for (int n = 0; n <= dia.units.extent(); ++n) {
    const Unit& unit = dia.units[n];
    out.printf("%2d,", n);
    map::write_columns(out, unit, kUnitColumns);
    out.printf("%s,\n", unit.name.c_str());
  }
}

}  // namespace vosk::dia
