#include "exchange/windia_import.h"

#include <algorithm>
#include <optional>

#include "base/format.h"
#include "base/sjis.h"
#include "datafiles/bundle_writer.h"
#include "datafiles/table_loader.h"
#include "dia/diagram.h"
#include "exchange/windia_format.h"
#include "exchange/windia_map.h"

namespace vosk::exchange {
namespace {

enum class Section { None, Title, Stations, Types, Down, Up, Unknown };

constexpr int kHalfDay = 12 * 3600;
constexpr int kDay = 24 * 3600;

Section section_of(std::string_view line) {
  if (line == "[WinDIA]") return Section::Title;
  if (line == "[\x89\x77]") return Section::Stations;       // [駅]
  if (line == "[\x90\xfc\x8e\xed]") return Section::Types;  // [線種]
  if (line == "[\x89\xba\x82\xe8]") return Section::Down;   // [下り]
  if (line == "[\x8f\xe3\x82\xe8]") return Section::Up;     // [上り]
  return Section::Unknown;
}

std::vector<std::string_view> split_fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

// Whether an ASCII letter occurs as a character of its own (a CP932 trail
// byte can have the same value).
bool has_flag(std::string_view field, char letter) {
  for (std::size_t i = 0; i < field.size(); ++i) {
    const auto c = static_cast<unsigned char>(field[i]);
    if (sjis::is_lead_byte(c)) {
      ++i;
    } else if (c == static_cast<unsigned char>(letter)) {
      return true;
    }
  }
  return false;
}

bool is_blank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

int leading_number(std::string_view field, int fallback) {
  return parse_leading_number(field).value_or(fallback);
}

struct StationField {
  enum Kind { None, UntimedPass, Pass, Stop, Arrival } kind = None;
  int arrival = 0;
  int departure = -1;  // with an arrival: -1 when none follows
};

class Reader {
 public:
  WindiaImport run(std::string_view bytes) {
    reset();
    std::size_t start = 0;
    while (start < bytes.size()) {
      std::size_t end = bytes.find('\n', start);
      if (end == std::string_view::npos) end = bytes.size();
      std::string_view line = bytes.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      ++line_number_;
      read_line(line);
      start = end + 1;
    }
    finish_train();
    finish();
    return std::move(result_);
  }

 private:
  void reset() {
    datafiles::DataSet& ds = result_.data;
    ds.header.wdia_mode = 1;
    // The file's down trains run on direction 2 (the even rails): mark
    // direction 2 as down, so that writing the dia again keeps its sections.
    ds.header.map.right_down = 1;
    ds.classification = dia::new_classification_tables(ds.header.map.max_speed);
    const datafiles::TableSizes& sizes = ds.header.sizes;
    dia::allocate_dia_tables(
        ds.dia, {sizes[datafiles::Table::Diagram], sizes[datafiles::Table::Train],
                 sizes[datafiles::Table::Unit], sizes[datafiles::Table::AccidentBetween],
                 sizes[datafiles::Table::AccidentRail], sizes[datafiles::Table::AccidentPoint],
                 sizes[datafiles::Table::AccidentUnit], sizes[datafiles::Table::AccidentStation]});
  }

  dia::Diagram& diagram() { return result_.data.dia.diagrams[current_]; }

  void read_line(std::string_view line) {
    if (is_blank(line)) {
      finish_train();
      section_ = Section::None;
      return;
    }
    if (line.front() == '[') {
      finish_train();
      section_ = section_of(line);
      return;
    }
    switch (section_) {
      case Section::Title:
        if (!title_read_) result_.data.header.dia.dia_title = std::string(sjis::cut(line, 255));
        title_read_ = true;
        break;
      case Section::Stations:
        read_station(line);
        break;
      case Section::Types:
        read_type_line(line);
        break;
      case Section::Down:
      case Section::Up:
        read_train_line(line);
        break;
      default:
        break;
    }
  }

  void read_station(std::string_view line) {
    const auto fields = split_fields(line);
    const std::string_view flags = fields.size() > 1 ? fields[0] : std::string_view{};
    WindiaStation s;
    s.name = std::string(fields.size() > 1 ? fields[1] : fields[0]);
    s.scale = has_flag(flags, 'p') ? map::kMajor : map::kStaffed;
    s.time_display = has_flag(flags, 'b')   ? 1
                     : has_flag(flags, 'd') ? 2
                     : has_flag(flags, 'u') ? 3
                                            : 0;
    stations_.push_back(std::move(s));
  }

  void read_type_line(std::string_view line) {
    auto& types = result_.data.classification.train_types;
    if (line.rfind("LINES=", 0) == 0) {
      const auto values = split_fields(line.substr(6));
      int read = 0;
      for (std::string_view v : values) {
        if (v.empty()) continue;
        ++read;
        if (read <= types.extent()) apply_windia_line_code(leading_number(v, 0), types[read]);
      }
      if (read >= 1 && read < types.extent()) types.shrink_to(read);
      return;
    }
    if (line.rfind("Train", 0) != 0) return;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    const int n = leading_number(line.substr(5, eq - 5), -1) + 1;
    if (!types.names_record(n)) return;
    const auto fields = split_fields(line.substr(eq + 1));
    types[n].name = std::string(sjis::cut(fields[0], 255));
    types[n].short_name = fields.size() > 1 ? std::string(sjis::cut(fields[1], 20)) : std::string();
  }

  void read_train_line(std::string_view line) {
    const std::size_t remark = line.find("\t%");
    if (remark != std::string_view::npos) {
      continued_ = false;
      if (current_ != 0) set_text(diagram().remarks, line.substr(remark + 2), dia::kRemarksBytes);
      return;
    }
    const auto fields = split_fields(line);
    std::size_t first_station = 1;
    if (!continued_) {
      finish_train();
      start_train(fields);
      first_station = 4;
    }
    continued_ = false;
    for (std::size_t i = first_station; i < fields.size(); ++i) {
      if (fields[i] == "\\") {
        continued_ = true;
        return;
      }
      read_station_field(fields[i]);
    }
  }

  void start_train(const std::vector<std::string_view>& fields) {
    auto field = [&](std::size_t i) { return i < fields.size() ? fields[i] : std::string_view{}; };
    auto& diagrams = result_.data.dia.diagrams;
    const int n = diagrams.extent() + 1;
    diagrams.grow_to(n);
    current_ = n;
    diagram().direction = section_ == Section::Down ? 2 : 1;
    diagram().train_type = leading_number(field(0), 0) + 1;
    diagram().speed_type = 1;
    diagram().flag_c = 1;
    cut_warned_ = false;
    set_text(diagram().train_number, field(1), dia::kTrainNumberBytes);
    set_text(diagram().nickname, field(2), dia::kNicknameBytes);
    diagram().car_number = leading_number(field(3), 0);
    fields_.clear();
  }

  // Stores a text cut to its field; one warning per train when cut.
  void set_text(std::string& to, std::string_view text, std::size_t bytes) {
    to = std::string(sjis::cut(text, bytes));
    if (to.size() == text.size() || cut_warned_) return;
    cut_warned_ = true;
    result_.warnings.push_back(format("train %s: a text longer than its field was cut (line %d)",
                                      sjis::to_utf8_lossy(diagram().train_number).c_str(),
                                      line_number_));
  }

  void read_station_field(std::string_view text) {
    StationField f;
    auto time = [&](std::string_view part) {
      const std::optional<int> t = parse_windia_time(part);
      if (!t) {
        result_.warnings.push_back(format("line %d: '%s' is not a time; the field was skipped",
                                          line_number_, sjis::to_utf8_lossy(text).c_str()));
      }
      return t;
    };
    if (text.find('-') != std::string_view::npos) {
      f.kind = StationField::UntimedPass;
    } else if (const std::size_t q = text.find('?'); q != std::string_view::npos) {
      if (const auto t = time(text.substr(0, q))) {
        f.kind = StationField::Pass;
        f.departure = *t;
      }
    } else if (const std::size_t slash = text.find('/'); slash != std::string_view::npos) {
      const std::string_view after = text.substr(slash + 1);
      const auto a = time(text.substr(0, slash));
      const auto d = is_blank(after) ? std::optional<int>(-1) : time(after);
      if (a && d) {
        f.kind = StationField::Arrival;
        f.arrival = *a;
        f.departure = *d;
      }
    } else if (!is_blank(text)) {
      if (const auto t = time(text)) {
        f.kind = StationField::Stop;
        f.departure = *t;
      }
    }
    fields_.push_back(f);
  }

  // Turns the station fields of the current train into its events.
  void finish_train() {
    continued_ = false;
    if (current_ == 0) return;
    const bool down = diagram().direction == 2;
    const int count =
        std::min(static_cast<int>(fields_.size()), static_cast<int>(stations_.size()));
    std::vector<dia::DiaEvent>& events = diagram().events;
    int previous = -1;  // last timed event, after the day wrap
    auto add = [&](int station, int time, int type, bool timed) {
      if (timed) {
        if (previous >= 0 && time < previous - kHalfDay) time += kDay;
        previous = time;
      }
      events.push_back({windia_rail(station, down ? 2 : 1), time, type});
    };
    for (int step = 0; step < count; ++step) {
      const int i = down ? step : count - 1 - step;
      const StationField& f = fields_[static_cast<std::size_t>(i)];
      const int station = i + 1;
      switch (f.kind) {
        case StationField::UntimedPass:
          add(station, 0, dia::kEventPass, false);
          break;
        case StationField::Pass:
          add(station, f.departure, dia::kEventPass, true);
          break;
        case StationField::Stop:
          add(station, f.departure, dia::kEventStop, true);
          break;
        case StationField::Arrival:
          add(station, f.arrival, dia::kEventArrival, true);
          if (f.departure >= 0) add(station, f.departure, dia::kEventStop, true);
          break;
        case StationField::None:
          break;
      }
    }
    if (!events.empty()) events.push_back({events.back().rail, events.back().time, dia::kEventEnd});
    current_ = 0;
    fields_.clear();
  }

  void finish() {
    datafiles::DataSet& ds = result_.data;
    // Trains read before the station list walk only the stations it has.
    build_windia_map(stations_, ds.map);
    ds.dia.event_capacity = 2 * ds.map.targets.extent() + 1;
    time_windia_map(ds);
    ds.header.sizes = datafiles::table_records(ds);
    datafiles::rebuild_derived_data(ds, false);
  }

  WindiaImport result_;
  Section section_ = Section::None;
  int line_number_ = 0;
  bool title_read_ = false;
  bool continued_ = false;
  bool cut_warned_ = false;
  std::vector<WindiaStation> stations_;
  int current_ = 0;  // diagram of the train being read, 0 = none
  std::vector<StationField> fields_;
};

}  // namespace

WindiaImport import_windia(std::string_view bytes) { return Reader().run(bytes); }

}  // namespace vosk::exchange
