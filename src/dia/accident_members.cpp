// The five accident members. Each lists records 1 .. capacity (the header's
// table size), one line per record and without a record number.
#include <algorithm>
#include <type_traits>

#include "dia/dia_members.h"
#include "map/member_columns.h"

namespace vosk::dia {
namespace {

// Reads line k into record k. Lines past the table's size are reported and
// dropped; a member that ends early leaves the other records cleared.
template <class Record>
void read_accidents(std::string_view content, RecordTable<Record>& table,
                    MemberWarnings& warnings) {
  constexpr bool kRepeatsFirst = std::is_same_v<Record, AccidentStation>;
  csv::Reader reader(content);
  csv::Line line;
  while (reader.next(line)) {
    std::size_t at = reader.line_number();
    int number = static_cast<int>(std::min<std::size_t>(at, kMaxDiaRecordNumber + 1u));
    if (number > table.capacity()) {
      warnings.record_out_of_range(at, number);
      break;
    }
    if (line.overlong() || line.too_many_fields()) warnings.line_too_long(at);
    Record& r = table.grow_to(number);
    r = Record{};
    std::size_t k = 0;
    for (int& v : r.numbers) v = line.integer(k++);
    for (int& v : r.block) v = line.integer(k++);
    if (kRepeatsFirst) ++k;  // the copy of block[0]
    for (std::string& t : r.texts) t = map::read_text(line, k++, kAccidentTextBytes, at, warnings);
  }
}

template <class Record>
void write_accidents(const RecordTable<Record>& table, csv::Writer& out) {
  constexpr bool kRepeatsFirst = std::is_same_v<Record, AccidentStation>;
  const Record empty{};
  for (int n = 1; n <= table.capacity(); ++n) {
    const Record& r = table.contains(n) ? table[n] : empty;
    for (int v : r.numbers) out.printf("%d,", v);
    for (int v : r.block) out.printf("%d,", v);
    if (kRepeatsFirst) out.printf("%d,", r.block[0]);
    bool no_texts =
        std::all_of(r.texts.begin(), r.texts.end(), [](const std::string& t) { return t.empty(); });
    if (no_texts) {
      out.printf(",,,,");  // one comma fewer than five empty "%s," texts
    } else {
      for (const std::string& t : r.texts) out.printf("%s,", t.c_str());
    }
    out.printf("\n");
  }
}

}  // namespace

void read_accident_between(std::string_view content, int, DiaTables& dia,
                           MemberWarnings& warnings) {
  read_accidents(content, dia.accidents.between, warnings);
}
void write_accident_between(const DiaTables& dia, csv::Writer& out) {
  write_accidents(dia.accidents.between, out);
}

void read_accident_rail(std::string_view content, int, DiaTables& dia, MemberWarnings& warnings) {
  read_accidents(content, dia.accidents.rail, warnings);
}
void write_accident_rail(const DiaTables& dia, csv::Writer& out) {
  write_accidents(dia.accidents.rail, out);
}

void read_accident_point(std::string_view content, int, DiaTables& dia, MemberWarnings& warnings) {
  read_accidents(content, dia.accidents.point, warnings);
}
void write_accident_point(const DiaTables& dia, csv::Writer& out) {
  write_accidents(dia.accidents.point, out);
}

void read_accident_unit(std::string_view content, int, DiaTables& dia, MemberWarnings& warnings) {
  read_accidents(content, dia.accidents.unit, warnings);
}
void write_accident_unit(const DiaTables& dia, csv::Writer& out) {
  write_accidents(dia.accidents.unit, out);
}

void read_accident_station(std::string_view content, int, DiaTables& dia,
                           MemberWarnings& warnings) {
  read_accidents(content, dia.accidents.station, warnings);
}
void write_accident_station(const DiaTables& dia, csv::Writer& out) {
  write_accidents(dia.accidents.station, out);
}

}  // namespace vosk::dia
