#include "stock/series_csv.h"

#include "base/format.h"
#include "base/sjis.h"

namespace vosk::stock {
namespace {

constexpr std::size_t kCurrentColumns = 53;

// Reads the fields of one line in order, as the writer wrote them.
class FieldCursor {
 public:
  FieldCursor(const csv::Line& line, std::size_t line_number, MemberWarnings& warnings)
      : line_(line), line_number_(line_number), warnings_(warnings) {}

  int integer() { return line_.integer(k_++); }
  double real() { return line_.real(k_++); }
  template <std::size_t N>
  void integers(std::array<int, N>& out) {
    for (int& v : out) v = integer();
  }
  // Texts end at a NUL byte, as C strings do, and are cut to the field size.
  std::string text(std::size_t limit) {
    std::string_view raw = line_.raw(k_++);
    raw = raw.substr(0, raw.find('\0'));
    if (raw.size() > limit) {
      warnings_.text_too_long(line_number_);
      raw = sjis::cut(raw, limit);
    }
    return std::string(raw);
  }

 private:
  const csv::Line& line_;
  std::size_t line_number_;
  MemberWarnings& warnings_;
  std::size_t k_ = 1;  // field 0 is the record number
};

void read_fields(FieldCursor& c, bool characteristics_columns, Series& s) {
  s.version = c.integer();
  s.cars = c.integer();
  s.train_length = c.integer();
  s.door_count = c.integer();
  s.door_width = c.integer();
  s.capacity = c.integer();
  s.max_load = c.integer();
  s.max_speed = c.integer();
  c.integers(s.electrification);
  s.gauge = c.integer();
  c.integers(s.turnback_time);
  c.integers(s.coupling_time);
  c.integers(s.splitting_time);
  s.acceleration = c.integer();
  c.integers(s.service_brake);
  s.atc_brake = c.integer();
  s.emergency_brake = c.integer();
  if (characteristics_columns) {
    s.characteristics = c.integer();
    s.acceleration_rows = c.integer();
    s.train_mass = c.integer();
    s.motors = c.integer();
    s.inertia = c.real();
    for (double& r : s.running_resistance) r = c.real();
    s.curve_resistance = c.real();
  } else {
    s.inertia = kDefaultInertia;
    s.running_resistance = kDefaultRunningResistance;
    s.curve_resistance = kDefaultCurveResistance;
  }
  s.owned = c.integer();
  s.file_time.year = c.integer();
  s.file_time.month = c.integer();
  s.file_time.day = c.integer();
  s.file_time.hour = c.integer();
  s.file_time.minute = c.integer();
  s.file_time.second = c.integer();
  s.running_sound_speed = c.integer();
  s.short_name = c.text(kShortNameBytes);
  s.name = c.text(kNameBytes);
  s.picture = c.text(kNameBytes);
  s.icon = c.text(kNameBytes);
}

bool is_blank_line(const csv::Line& line) { return line.size() == 1 && line.raw(0).empty(); }

}  // namespace

void read_series(std::string_view content, int version, SeriesTable& table,
                 MemberWarnings& warnings) {
  reset_series(table);
  bool old_layout = version < kCharacteristicsVersion;
  if (old_layout && content.find('\n') != std::string_view::npos) {
    warnings.warn(format(
        "'%s'はデータバージョン%dの形式データのため、走行特性の項目を既定値で読み込みました。\n"
        "形式データの内容を確認して下さい。\n",
        warnings.member().c_str(), version));
  }

  csv::Reader reader(content);
  csv::Line line;
  while (reader.next(line)) {
    if (is_blank_line(line)) continue;
    std::size_t line_number = reader.line_number();
    if (line.overlong()) warnings.line_too_long(line_number);
    int n = line.integer(0);
    if (!table.within_capacity(n)) {
      warnings.record_out_of_range(line_number, n);
      continue;
    }
    Series s;
    FieldCursor cursor(line, line_number, warnings);
    read_fields(cursor, !old_layout || line.size() == kCurrentColumns, s);
    table.grow_to(n) = std::move(s);
  }
}

void write_series(const SeriesTable& table, csv::Writer& out) {
  for (int n = 0; n <= table.extent(); ++n) {
    const Series& s = table[n];
    out.printf("%2d,", n);
    out.printf("%4d,", s.version);
    out.printf("%2d,", s.cars);
    out.printf("%3d,", s.train_length);
    out.printf("%2d,", s.door_count);
    out.printf("%4d,", s.door_width);
    out.printf("%4d,", s.capacity);
    out.printf("%3d,", s.max_load);
    out.printf("%3d,", s.max_speed);
    for (int flag : s.electrification) out.printf("%1d,", flag);
    out.printf("%4d,", s.gauge);
    for (int t : s.turnback_time) out.printf("%2d,", t);
    for (int t : s.coupling_time) out.printf("%2d,", t);
    for (int t : s.splitting_time) out.printf("%2d,", t);
    out.printf("%4ld,", static_cast<long>(s.acceleration));
    for (int b : s.service_brake) out.printf("%4ld,", static_cast<long>(b));
    out.printf("%4ld,", static_cast<long>(s.atc_brake));
    out.printf("%4ld,", static_cast<long>(s.emergency_brake));
    out.printf("%1d,", s.characteristics);
    out.printf("%4d,", s.acceleration_rows);
    out.printf("%3d,", s.train_mass);
    out.printf("%3d,", s.motors);
    out.printf("%5.3lf,", s.inertia);
    out.printf("%5.3lf,", s.running_resistance[0]);
    out.printf("%6.4lf,", s.running_resistance[1]);
    out.printf("%6.4lf,", s.running_resistance[2]);
    out.printf("%6.4lf,", s.running_resistance[3]);
    out.printf("%5.1lf,", s.curve_resistance);
    out.printf("%2d,", s.owned);
    out.printf("%4d,", s.file_time.year);
    out.printf("%2d,", s.file_time.month);
    out.printf("%2d,", s.file_time.day);
    out.printf("%2d,", s.file_time.hour);
    out.printf("%2d,", s.file_time.minute);
    out.printf("%2d,", s.file_time.second);
    out.printf("%3d,", s.running_sound_speed);
    out.printf("%s,", s.short_name.c_str());
    out.printf("%s,", s.name.c_str());
    out.printf("%s,", s.picture.c_str());
    out.printf("%s", s.icon.c_str());
    out.printf("\n");
  }
}

}  // namespace vosk::stock
