#include "dia/train_type.h"

#include "base/format.h"
#include "base/sjis.h"
#include "dia/classification_fields.h"

namespace vosk::dia {
namespace {

struct DefaultType {
  const char* short_name;
  const char* name;
  int passenger_service;
};

constexpr DefaultType kDefaultTypes[] = {
    {"普通", "普通", 1},     {"快速", "快速", 1},     {"特快", "特別快速", 1},
    {"新快", "新快速", 1},   {"通快", "通勤快速", 1}, {"準急", "準急", 1},
    {"急行", "急行", 1},     {"快急", "快速急行", 1}, {"特急", "特急", 1},
    {"快特", "快速特急", 1}, {"通準", "通勤準急", 1}, {"通急", "通勤急行", 1},
    {"区快", "区間快速", 1}, {"区急", "区間急行", 1}, {"回送", "回送", 0},
    {"貨物", "貨物", 0},     {"急貨", "急行貨物", 0},
};

// A type as the type dialog creates it, before its names are given.
TrainType new_type_defaults() {
  TrainType t;
  t.passenger_service = 1;
  t.line_style = kSolid;
  t.line_width = 500;
  return t;
}

// The first character of a CP932 text (one or two bytes).
std::string first_character(const std::string& text) {
  if (text.empty()) return {};
  return fit_text(text, sjis::is_lead_byte(static_cast<unsigned char>(text[0])) ? 2 : 1);
}

// Columns of a d_type.csv line; style and width came with 1150, the two
// carried texts with 1200.
enum Column {
  kNumber,
  kPassenger,
  kStyle,
  kWidth,
  kRed,
  kGreen,
  kBlue,
  kLetter,
  kShort,
  kName,
  kText4,
  kText5
};

}  // namespace

TrainTypeTable default_train_types() {
  TrainTypeTable table;
  table.allocate(kMaxTrainTypes);
  int n = 0;
  for (const DefaultType& d : kDefaultTypes) {
    TrainType& t = table.grow_to(++n);
    t = new_type_defaults();
    t.passenger_service = d.passenger_service;
    t.short_name = cp932(d.short_name);
    t.name = cp932(d.name);
    t.letter_name = first_character(t.short_name);
  }
  return table;
}

EditResult add_train_type(TrainTypeTable& table) {
  if (table.extent() >= kMaxTrainTypes) {
    return EditResult::refused("制限オーバー", "これ以上増やせません。");
  }
  int n = table.extent() + 1;
  TrainType t = new_type_defaults();
  t.letter_name = cp932("新");
  t.short_name = cp932("新規");
  t.name = cp932(format("新規種別%02d", n));
  table.grow_to(n) = std::move(t);
  return EditResult::done(n);
}

EditResult set_train_type(TrainTypeTable& table, int n, const TrainType& values) {
  if (!table.names_record(n)) {
    return EditResult::refused(caption::kOperationError, "列車種別が存在しません。\n");
  }
  TrainType t = values;
  t.letter_name = fit_text(t.letter_name, kShortText);
  t.short_name = fit_text(t.short_name, kShortText);
  t.name = fit_text(t.name, kLongText);
  t.text_4 = fit_text(t.text_4, kShortText);
  t.text_5 = fit_text(t.text_5, kShortText);
  table[n] = std::move(t);
  return EditResult::done(n);
}

std::string_view train_type_label(const TrainTypeTable& table, int n, int form) {
  if (!table.contains(n)) return {};
  const TrainType& t = table[n];
  switch (form) {
    case 1:
      return t.letter_name;
    case 2:
      return t.short_name;
    case 3:
      return t.name;
    default:
      return {};
  }
}

std::string line_width_text(int thousandths) { return format("%4.2lf", thousandths / 1000.0); }

void read_d_type(std::string_view content, int version, TrainTypeTable& table,
                 MemberWarnings& warnings) {
  table.allocate(kMaxTrainTypes);
  ColumnLayout layout({0, 0, 1150, 1150, 0, 0, 0, 0, 0, 0, 1200, 1200}, version);
  for_each_row(content, layout, warnings, [&](const Row& row) {
    int n = row.integer(kNumber);
    if (!record_number_in_range(n, 0, kMaxTrainTypes, row, warnings)) return;
    TrainType& t = table.grow_to(n);
    t.passenger_service = row.integer(kPassenger);
    t.line_style = row.integer(kStyle, kSolid);
    t.line_width = row.integer(kWidth, 250);
    t.red = static_cast<std::uint8_t>(row.integer(kRed));
    t.green = static_cast<std::uint8_t>(row.integer(kGreen));
    t.blue = static_cast<std::uint8_t>(row.integer(kBlue));
    t.letter_name = row.text(kLetter, kShortText);
    t.short_name = row.text(kShort, kShortText);
    t.name = row.text(kName, kLongText);
    t.text_4 = row.text(kText4, kShortText);
    t.text_5 = row.text(kText5, kShortText);
  });
}

void write_d_type(const TrainTypeTable& table, csv::Writer& out) {
  for (int n = 0; n <= table.extent(); ++n) {
    const TrainType& t = table[n];
    out.printf("%2d,", n);
    out.printf("%1d,", t.passenger_service);
    out.printf("%3d,", t.line_style);
    out.printf("%3d,", t.line_width);
    out.printf("%3d,", t.red);
    out.printf("%3d,", t.green);
    out.printf("%3d,", t.blue);
    out.printf("%s,", t.letter_name.c_str());
    out.printf("%s,", t.short_name.c_str());
    out.printf("%s,", t.name.c_str());
    out.printf("%s,", t.text_4.c_str());
    out.printf("%s,", t.text_5.c_str());
    out.printf("\n");
  }
}

}  // namespace vosk::dia
