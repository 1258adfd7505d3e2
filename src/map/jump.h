#pragma once
// Jump: a jump mark of the track panel, drawn at two places, and jump.csv.
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"

namespace vosk::map {

struct Jump {
  int reference = 0;  // kept as read; its meaning is not used here
  int row1 = 0;       // display row of the first end
  int row2 = 0;       // display row of the second end
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  std::string label;  // CP932, at most 20 bytes
};

inline constexpr int kDefaultJumpCapacity = 255;  // [StructSize] Jump
inline constexpr int kJumpMemberSince = 1110;     // older data sets have no jumps

// Records 1 .. capacity; the placeholder line of record 0 is skipped. Below
// data version 1110 the member does not exist and nothing is read.
void read_jump(std::string_view content, int version, RecordTable<Jump>& table,
               MemberWarnings& warnings);
// Records 0 .. extent, record 0 included.
void write_jump(const RecordTable<Jump>& table, csv::Writer& out);

}  // namespace vosk::map
