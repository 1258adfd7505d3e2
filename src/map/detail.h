#pragma once
// Detail: a sub-section of one directed rail with its own speed limit,
// gradient or curve, and detail.csv. Details form a list in file order,
// numbered from 1; several details may name the same rail.
#include <string_view>
#include <vector>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"

namespace vosk::map {

struct Detail {
  int rail = 0;         // Rail record
  int start = 0;        // m from the rail's back end
  int end = 0;          // m
  int speed_limit = 0;  // km/h, 0 = none
  int gradient = 0;     // per mille
  int radius = 0;       // m
};

inline constexpr int kDefaultDetailCapacity = 0;  // [StructSize] Detail: none without the key
inline constexpr int kDetailMemberSince = 1150;   // older data sets have no details

// Each line appends one detail; its first field is only a running number.
// The list grows past the table's capacity (raising it) rather than drop a
// detail the file holds. Below data version 1150 nothing is read.
void read_detail(std::string_view content, int version, RecordTable<Detail>& table,
                 MemberWarnings& warnings);
// Details 1 .. extent, renumbered from 1.
void write_detail(const RecordTable<Detail>& table, csv::Writer& out);

// Numbers of the details of one rail, in list order.
std::vector<int> details_of_rail(const RecordTable<Detail>& table, int rail);

}  // namespace vosk::map
