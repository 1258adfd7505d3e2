#pragma once
// Readers and writers of the dia record members: train.csv, unit.csv,
// diagram.csv, d_event.csv and the five accident members. Readers take the
// content of one member (text-mode bytes) written by data `version` into
// tables allocated with allocate_dia_tables(); writers append the member's
// lines in the current layout, without the member's header line.
//
// Read them in this order: train, unit, diagram, d_event (d_event frees
// diagrams that diagram.csv listed), the accident members in any order; then
// finish_dia_load() (dia_load.h).
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "dia/dia_tables.h"

namespace vosk::dia {

// Files older than 1070 carry no unit.csv: read_train() makes one formation
// per duty from train.csv, and read_unit() then reads nothing.
inline constexpr int kFirstVersionWithUnits = 1070;
// Files older than 1110 carry no Unit::first_diagram; finish_dia_load()
// rebuilds it from the duties.
inline constexpr int kFirstVersionWithUnitChains = 1110;

void read_train(std::string_view content, int version, DiaTables& dia, MemberWarnings& warnings);
void write_train(const DiaTables& dia, csv::Writer& out);

void read_unit(std::string_view content, int version, DiaTables& dia, MemberWarnings& warnings);
void write_unit(const DiaTables& dia, csv::Writer& out);

void read_diagram(std::string_view content, int version, DiaTables& dia, MemberWarnings& warnings);
void write_diagram(const DiaTables& dia, csv::Writer& out);

void read_d_event(std::string_view content, int version, DiaTables& dia, MemberWarnings& warnings);
void write_d_event(const DiaTables& dia, csv::Writer& out);

void read_accident_between(std::string_view content, int version, DiaTables& dia,
                           MemberWarnings& warnings);
void write_accident_between(const DiaTables& dia, csv::Writer& out);
void read_accident_rail(std::string_view content, int version, DiaTables& dia,
                        MemberWarnings& warnings);
void write_accident_rail(const DiaTables& dia, csv::Writer& out);
void read_accident_point(std::string_view content, int version, DiaTables& dia,
                         MemberWarnings& warnings);
void write_accident_point(const DiaTables& dia, csv::Writer& out);
void read_accident_unit(std::string_view content, int version, DiaTables& dia,
                        MemberWarnings& warnings);
void write_accident_unit(const DiaTables& dia, csv::Writer& out);
void read_accident_station(std::string_view content, int version, DiaTables& dia,
                           MemberWarnings& warnings);
void write_accident_station(const DiaTables& dia, csv::Writer& out);

// The members above, in bundle order, for loaders and writers that walk them.
struct DiaRecordMember {
  const char* name;  // member file name, e.g. "train.csv"
  void (*read)(std::string_view, int, DiaTables&, MemberWarnings&);
  void (*write)(const DiaTables&, csv::Writer&);
};
inline constexpr DiaRecordMember kDiaRecordMembers[] = {
    {"train.csv", read_train, write_train},
    {"unit.csv", read_unit, write_unit},
    {"diagram.csv", read_diagram, write_diagram},
    {"d_event.csv", read_d_event, write_d_event},
    {"accident_between.csv", read_accident_between, write_accident_between},
    {"accident_rail.csv", read_accident_rail, write_accident_rail},
    {"accident_point.csv", read_accident_point, write_accident_point},
    {"accident_unit.csv", read_accident_unit, write_accident_unit},
    {"accident_station.csv", read_accident_station, write_accident_station},
};

}  // namespace vosk::dia
