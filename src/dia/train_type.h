#pragma once
// Train types (列車種別): the d_type table and its member d_type.csv.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"
#include "dia/edit_result.h"

namespace vosk::dia {

constexpr int kMaxTrainTypes = 127;

// Train-graph line styles.
enum LineStyle { kSolid = 0, kDashed = 1, kDotted = 2, kDashDot = 3 };

// The widths the type dialog offers, in thousandths (500 is shown "0.50").
inline constexpr int kLineWidths[] = {100,  250,  500,  750,  1000, 1250,
                                      1500, 1750, 2000, 3000, 4000, 5000};

struct TrainType {
  int passenger_service = 0;  // 1: carries passengers (connection search uses it)
  int line_style = kSolid;
  int line_width = 0;  // thousandths
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::string letter_name;  // 一文字名称, at most 20 bytes
  std::string short_name;   // 略記名称, at most 20 bytes
  std::string name;         // 名称, at most 255 bytes
  std::string text_4;       // carried, at most 20 bytes
  std::string text_5;       // carried, at most 20 bytes

  bool operator==(const TrainType&) const = default;
};

// Record 0 is a real line of d_type.csv: it is read and written like the others.
using TrainTypeTable = RecordTable<TrainType>;

// The 17 types of a new dia.
TrainTypeTable default_train_types();

// Appends a type with the dialog's defaults ("新規種別%02d"); refused at 127.
// The new number is in the result.
EditResult add_train_type(TrainTypeTable& table);

// Replaces type n (1 .. extent) with `values`, texts cut to their fields.
EditResult set_train_type(TrainTypeTable& table, int n, const TrainType& values);

// The name in one of three forms: 1 letter name, 2 short name, 3 name. An
// unknown type or form gives the empty text.
std::string_view train_type_label(const TrainTypeTable& table, int n, int form);

// "%4.2lf" of the width in thousandths, as the dialog shows it.
std::string line_width_text(int thousandths);

void read_d_type(std::string_view content, int version, TrainTypeTable& table,
                 MemberWarnings& warnings);
void write_d_type(const TrainTypeTable& table, csv::Writer& out);

}  // namespace vosk::dia
