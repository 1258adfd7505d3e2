#include "datafiles/stack_member.h"

#include <algorithm>
#include <type_traits>

#include "base/format.h"
#include "base/text_file.h"

namespace vosk::datafiles {
namespace {

// Section keywords, in file order.
constexpr const char* kDiagramSection = "diagram";
constexpr const char* kTrainSection = "train";
constexpr const char* kUnitSection = "unit";
constexpr const char* kPointSection = "point";
constexpr const char* kRouteLeverSection = "route_lever";
constexpr const char* kRouteButtonSection = "route_button";
constexpr const char* kStationSection = "station";
constexpr const char* kRailSection = "rail";
constexpr const char* kPRailSection = "p_rail";
constexpr const char* kAccidentBetweenSection = "accident_between";
constexpr const char* kAccidentRailSection = "accident_rail";
constexpr const char* kAccidentPointSection = "accident_point";
constexpr const char* kAccidentUnitSection = "accident_unit";
constexpr const char* kAccidentStationSection = "accident_station";

// accident_station rows repeat the first number of the block after it.
template <class Record>
constexpr bool kRepeatsFirst = std::is_same_v<Record, dia::AccidentStation>;

template <class State>
int highest(const std::vector<State>& section) {
  return section.empty() ? 0 : static_cast<int>(section.size()) - 1;
}

// ---- Writing ----

void write_triple(const StackTriple& t, csv::Writer& out) {
  out.printf("%d,%d,%d,\n", t[0], t[1], t[2]);
}

// A line of `layout`; values a malformed record lacks go out as 0 and "".
void write_line(const StackRecord& r, const StackLayout& layout, csv::Writer& out) {
  std::size_t number = 0, text = 0, real = 0;
  for (const StackRun& run : layout.runs) {
    for (int k = 0; k < run.count; ++k) {
      switch (run.kind) {
        case StackValue::Int: {
          std::int32_t v = number < r.numbers.size() ? r.numbers[number] : 0;
          ++number;
          out.printf("%d,", v);
          break;
        }
        case StackValue::Long: {
          std::int32_t v = number < r.numbers.size() ? r.numbers[number] : 0;
          ++number;
          out.printf("%ld,", static_cast<long>(v));
          break;
        }
        case StackValue::Real:
          // Reals go back as the digits they were read as ("%lf" made them).
          out.text(real < r.reals.size() ? std::string_view(r.reals[real]) : "0.000000");
          out.text(",");
          ++real;
          break;
        case StackValue::Text:
          if (text < r.texts.size()) out.text(r.texts[text]);
          out.text(",");
          ++text;
          break;
      }
    }
  }
  out.text("\n");
}

void write_diagram(const DiagramState& d, csv::Writer& out) {
  write_line(d.line, kDiagramLine, out);
  if (d.line.numbers.empty() || d.line.numbers[0] == 0) return;
  // The list ends at its first end entry, which is written too; a list
  // without one gets one so that the member stays readable.
  for (const dia::DiaEvent& e : d.events) {
    out.printf("%d,%d,%d,\n", e.rail, e.time, e.type);
    if (e.type == dia::kEventEnd) return;
  }
  out.printf("0,0,0,\n");
}

void write_train(const TrainState& t, csv::Writer& out) {
  write_line(t.line, kTrainLine, out);
  if (t.per_station.empty()) {
    out.printf("0,\n");
    return;
  }
  out.printf("%d,\n", static_cast<int>(t.per_station.size()));
  for (std::int32_t v : t.per_station) out.printf("%d,", v);
  out.text("\n");
}

void write_unit(const UnitState& u, bool full, csv::Writer& out) {
  write_line(u.line, kUnitLine, out);
  if (!full) return;
  out.printf("%d,\n", static_cast<int>(u.entries.size()));
  for (const auto& e : u.entries) {
    out.printf("%d,%d,%d,%d,%d,%d,\n", e[0], e[1], e[2], e[3], e[4], e[5]);
  }
}

void write_point(const PointState& p, csv::Writer& out) {
  bool ended = false;
  for (const StackTriple& t : p.sequence) {
    write_triple(t, out);
    if (t[0] == 0) {
      ended = true;
      break;
    }
  }
  if (!ended) out.printf("0,0,0,\n");  // a missing list, or one without its end entry
  for (int i = 0; i < kStackPointBlocks; ++i) {
    out.printf("%d,\n", p.rails[i]);
    for (int s = 0; s < kStackPointBlockLines; ++s) {
      out.printf("%d,%d,%d,\n", p.open[i][s], p.next[i][s], p.back[i][s]);
    }
  }
  write_line(p.line, kPointLine, out);
}

void write_station(const StationState& s, int station_count, csv::Writer& out) {
  write_line(s.line, kStationLine, out);
  for (int c = 0; c < station_count; ++c) {
    std::array<std::int32_t, kStackStationColumnValues> v{};
    if (static_cast<std::size_t>(c) < s.columns.size()) v = s.columns[static_cast<std::size_t>(c)];
    for (std::int32_t x : v) out.printf("%d,", x);
    out.text("\n");
  }
}

// The row format of the accident members: numbers, the block of four, for
// accident_station the block's first number again, five texts; a row
// without texts has ",,,," in their place.
template <class Record>
void write_accident(const Record& r, csv::Writer& out) {
  for (int v : r.numbers) out.printf("%d,", v);
  for (int v : r.block) out.printf("%d,", v);
  if constexpr (kRepeatsFirst<Record>) out.printf("%d,", r.block[0]);
  bool no_texts =
      std::all_of(r.texts.begin(), r.texts.end(), [](const std::string& t) { return t.empty(); });
  if (no_texts) {
    out.text(",,,,");
  } else {
    for (const std::string& t : r.texts) {
      out.text(t);
      out.text(",");
    }
  }
  out.text("\n");
}

// Keyword, count line and records 0 .. N; a section without records still
// has record 0.
template <class State, class WriteRecord>
void write_section(const char* keyword, const std::vector<State>& section, csv::Writer& out,
                   WriteRecord write_record) {
  out.printf("%s\n", keyword);
  int n = highest(section);
  out.printf("%d,\n", n);
  const State blank{};
  for (int k = 0; k <= n; ++k) {
    write_record(static_cast<std::size_t>(k) < section.size() ? section[static_cast<std::size_t>(k)]
                                                              : blank);
  }
}

template <class State>
void write_lines(const char* keyword, const std::vector<State>& section, const StackLayout& layout,
                 csv::Writer& out) {
  write_section(keyword, section, out, [&](const State& r) { write_line(r, layout, out); });
}

template <class Record>
void write_accidents(const char* keyword, const std::vector<Record>& section, csv::Writer& out) {
  write_section(keyword, section, out, [&](const Record& r) { write_accident(r, out); });
}

// ---- Reading ----

// The member's lines with the count of those still unread, so that no
// count taken from the file is believed beyond what the text can hold.
class StackCursor {
 public:
  explicit StackCursor(std::string_view content)
      : reader_(content),
        left_(static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n'))) {}

  std::size_t left() const { return left_; }

  // The next line; fails at the end and on a line the line reader had to cut.
  bool next(csv::Line& line) {
    if (!reader_.next(line)) {
      at_end_ = true;
      return fail("データが途中で終わっています");
    }
    --left_;
    if (line.overlong() || line.too_many_fields()) return fail("行が長すぎます");
    return true;
  }

  // The next line that is not blank.
  bool next_nonblank(csv::Line& line) {
    while (next(line)) {
      if (!is_blank(line)) return true;
    }
    return false;
  }

  static bool is_blank(const csv::Line& line) {
    return line.size() == 1 && line.raw(0).find_first_not_of(" \t") == std::string_view::npos;
  }

  // Records the first failure and where it was met; always false.
  bool fail(const std::string& what) {
    if (error_.empty()) {
      error_ = what;
      error_line_ = reader_.line_number() + (at_end_ ? 1 : 0);
    }
    return false;
  }

  const std::string& error() const { return error_; }
  std::size_t error_line() const { return error_line_; }

 private:
  csv::Reader reader_;
  std::size_t left_;
  bool at_end_ = false;
  std::string error_;
  std::size_t error_line_ = 0;
};

// A line must hold `n` values, each followed by its comma: n + 1 fields,
// the last one empty. Accident rows without texts end in ",,,," and so
// lack the last comma; `last_comma` is false for them.
bool expect_fields(StackCursor& in, const csv::Line& line, std::size_t n, bool last_comma = true) {
  bool ok = line.size() >= n + (last_comma ? 1 : 0);
  for (std::size_t k = n; ok && k < line.size(); ++k) ok = line.raw(k).empty();
  if (!ok) return in.fail(format("値の数が%zu個ではありません", n));
  return true;
}

template <std::size_t N>
bool read_values(StackCursor& in, std::array<std::int32_t, N>& values) {
  csv::Line line;
  if (!in.next(line) || !expect_fields(in, line, N)) return false;
  for (std::size_t k = 0; k < N; ++k) values[k] = csv::to_int(line.raw(k));
  return true;
}

bool read_value(StackCursor& in, std::int32_t& value) {
  std::array<std::int32_t, 1> v{};
  if (!read_values(in, v)) return false;
  value = v[0];
  return true;
}

bool read_line(StackCursor& in, const StackLayout& layout, StackRecord& r) {
  csv::Line line;
  if (!in.next(line) || !expect_fields(in, line, static_cast<std::size_t>(layout.fields()))) {
    return false;
  }
  r = StackRecord{};
  r.numbers.reserve(static_cast<std::size_t>(layout.numbers()));
  std::size_t k = 0;
  for (const StackRun& run : layout.runs) {
    for (int c = 0; c < run.count; ++c, ++k) {
      switch (run.kind) {
        case StackValue::Int:
        case StackValue::Long:
          r.numbers.push_back(csv::to_int(line.raw(k)));
          break;
        case StackValue::Real:
          r.reals.emplace_back(line.raw(k));
          break;
        case StackValue::Text:
          r.texts.emplace_back(line.raw(k));
          break;
      }
    }
  }
  return true;
}

bool read_keyword(StackCursor& in, const char* keyword) {
  std::string missing = format("「%s」の見出しがありません", keyword);
  csv::Line line;
  do {
    if (in.left() == 0) return in.fail(missing);
    if (!in.next(line)) return false;
  } while (StackCursor::is_blank(line));
  std::string_view word = line.raw(0);
  word.remove_prefix(std::min(word.find_first_not_of(" \t"), word.size()));
  word = word.substr(0, word.find_last_not_of(" \t") + 1);
  if (line.size() != 1 || word != keyword) return in.fail(missing);
  return true;
}

// A count line "%d,". Every one of the `count` items that follow takes at
// least `min_lines` lines, so a count the remaining text cannot hold fails
// here, before anything is allocated for it.
bool read_count(StackCursor& in, std::size_t min_lines, int& count, int added = 0) {
  std::int32_t n = 0;
  if (!read_value(in, n)) return false;
  if (n < 0) return in.fail(format("件数%dは負の値です", n));
  std::size_t items = static_cast<std::size_t>(n) + static_cast<std::size_t>(added);
  if (min_lines > 0 && items > in.left() / min_lines) {
    return in.fail(format("件数%dが残りの行数を超えています", n));
  }
  count = n;
  return true;
}

// Keyword, count line N (the highest record number) and records 0 .. N.
template <class State, class ReadRecord>
bool read_section(StackCursor& in, const char* keyword, std::size_t min_lines,
                  std::vector<State>& section, ReadRecord read_record) {
  int n = 0;
  if (!read_keyword(in, keyword) || !read_count(in, min_lines, n, 1)) return false;
  section.assign(static_cast<std::size_t>(n) + 1, State{});
  for (State& s : section) {
    if (!read_record(s)) return false;
  }
  return true;
}

bool read_diagram(StackCursor& in, DiagramState& d) {
  if (!read_line(in, kDiagramLine, d.line)) return false;
  if (d.line.numbers[0] == 0) return true;
  // Events up to and including the end entry; each takes a line, so the
  // loop ends with the text at the latest.
  while (true) {
    std::array<std::int32_t, 3> v{};
    if (!read_values(in, v)) return false;
    d.events.push_back(dia::DiaEvent{v[0], v[1], v[2]});
    if (v[2] == dia::kEventEnd) return true;
  }
}

bool read_train(StackCursor& in, TrainState& t) {
  if (!read_line(in, kTrainLine, t.line)) return false;
  int count = 0;
  if (!read_count(in, 0, count)) return false;
  if (count == 0) return true;
  csv::Line line;
  if (!in.next(line) || !expect_fields(in, line, static_cast<std::size_t>(count))) return false;
  t.per_station.reserve(static_cast<std::size_t>(count));  // no more than the line holds
  for (int k = 0; k < count; ++k)
    t.per_station.push_back(csv::to_int(line.raw(static_cast<std::size_t>(k))));
  return true;
}

bool read_unit(StackCursor& in, UnitState& u) {
  if (!read_line(in, kUnitLine, u.line)) return false;
  int count = 0;
  if (!read_count(in, 1, count)) return false;
  u.entries.resize(static_cast<std::size_t>(count));
  for (auto& e : u.entries) {
    if (!read_values(in, e)) return false;
  }
  return true;
}

bool read_point(StackCursor& in, PointState& p) {
  while (true) {
    StackTriple t{};
    if (!read_values(in, t)) return false;
    p.sequence.push_back(t);
    if (t[0] == 0) break;
  }
  // The missing list and the empty one are written alike.
  if (p.sequence.size() == 1 && p.sequence[0] == StackTriple{}) p.sequence.clear();
  for (int i = 0; i < kStackPointBlocks; ++i) {
    if (!read_value(in, p.rails[i])) return false;
    for (int s = 0; s < kStackPointBlockLines; ++s) {
      std::array<std::int32_t, 3> v{};
      if (!read_values(in, v)) return false;
      p.open[i][s] = v[0];
      p.next[i][s] = v[1];
      p.back[i][s] = v[2];
    }
  }
  return read_line(in, kPointLine, p.line);
}

bool read_station(StackCursor& in, StationState& s, int station_count) {
  if (!read_line(in, kStationLine, s.line)) return false;
  s.columns.resize(static_cast<std::size_t>(station_count));
  for (auto& c : s.columns) {
    if (!read_values(in, c)) return false;
  }
  return true;
}

template <class Record>
bool read_accident(StackCursor& in, Record& r) {
  constexpr std::size_t kNumbers = std::tuple_size_v<decltype(r.numbers)>;
  constexpr std::size_t kTexts = std::tuple_size_v<decltype(r.texts)>;
  constexpr std::size_t kCopy = kRepeatsFirst<Record> ? 1 : 0;
  csv::Line line;
  if (!in.next(line) || !expect_fields(in, line, kNumbers + 4 + kCopy + kTexts, false)) {
    return false;
  }
  std::size_t k = 0;
  for (int& v : r.numbers) v = csv::to_int(line.raw(k++));
  for (int& v : r.block) v = csv::to_int(line.raw(k++));
  k += kCopy;  // written again from block[0]
  for (std::string& t : r.texts) t = std::string(line.text(k++));
  return true;
}

template <class State>
bool read_lines(StackCursor& in, const char* keyword, const StackLayout& layout,
                std::vector<State>& section) {
  return read_section(in, keyword, 1, section, [&](State& s) { return read_line(in, layout, s); });
}

template <class Record>
bool read_accidents(StackCursor& in, const char* keyword, std::vector<Record>& section) {
  return read_section(in, keyword, 1, section, [&](Record& r) { return read_accident(in, r); });
}

bool read_all(StackCursor& in, ExecutedState& s) {
  s.full = true;
  csv::Line line;
  // The preamble: time, then the two values of the rollback manager; the
  // blank lines between them are passed over.
  if (!in.next_nonblank(line) || !expect_fields(in, line, 1)) return false;
  s.time = csv::to_int(line.raw(0));
  for (std::int32_t& v : s.manager) {
    if (!in.next_nonblank(line) || !expect_fields(in, line, 1)) return false;
    v = csv::to_int(line.raw(0));
  }

  constexpr std::size_t kPointLines = 1 + kStackPointBlocks * (1 + kStackPointBlockLines) + 1;
  bool ok =
      read_section(in, kDiagramSection, 1, s.diagrams,
                   [&](DiagramState& d) { return read_diagram(in, d); }) &&
      read_section(in, kTrainSection, 2, s.trains,
                   [&](TrainState& t) { return read_train(in, t); }) &&
      read_section(in, kUnitSection, 2, s.units, [&](UnitState& u) { return read_unit(in, u); }) &&
      read_section(in, kPointSection, kPointLines, s.points,
                   [&](PointState& p) { return read_point(in, p); }) &&
      read_lines(in, kRouteLeverSection, kRouteLeverLine, s.route_levers) &&
      read_lines(in, kRouteButtonSection, kRouteButtonLine, s.route_buttons);
  if (!ok) return false;

  // Each station record is followed by one line per station.
  int stations = 0;
  if (!read_keyword(in, kStationSection) || !read_count(in, 0, stations)) return false;
  std::size_t per_station = static_cast<std::size_t>(stations) + 1;
  if (per_station > in.left() / per_station) {
    return in.fail(format("件数%dが残りの行数を超えています", stations));
  }
  s.stations.assign(per_station, StationState{});
  for (StationState& st : s.stations) {
    if (!read_station(in, st, stations)) return false;
  }

  ok = read_lines(in, kRailSection, kRailLine, s.rails) &&
       read_lines(in, kPRailSection, kPRailLine, s.p_rails) &&
       read_accidents(in, kAccidentBetweenSection, s.accident_between) &&
       read_accidents(in, kAccidentRailSection, s.accident_rail) &&
       read_accidents(in, kAccidentPointSection, s.accident_point) &&
       read_accidents(in, kAccidentUnitSection, s.accident_unit) &&
       read_accidents(in, kAccidentStationSection, s.accident_station);
  if (!ok) return false;

  while (in.left() > 0) {
    if (!in.next(line)) return false;
    if (!StackCursor::is_blank(line)) return in.fail("最後の表の後に余分な行があります");
  }
  return true;
}

}  // namespace

void write_stack_member(const ExecutedState& s, csv::Writer& out) {
  out.printf("%ld,\n", static_cast<long>(s.time));
  out.printf("\n");
  out.printf("%d,\n", s.manager[0]);
  out.printf("%d,\n", s.manager[1]);
  out.printf("\n");
  write_section(kDiagramSection, s.diagrams, out,
                [&](const DiagramState& d) { write_diagram(d, out); });
  write_section(kTrainSection, s.trains, out, [&](const TrainState& t) { write_train(t, out); });
  write_section(kUnitSection, s.units, out,
                [&](const UnitState& u) { write_unit(u, s.full, out); });
  write_section(kPointSection, s.points, out, [&](const PointState& p) { write_point(p, out); });
  write_lines(kRouteLeverSection, s.route_levers, kRouteLeverLine, out);
  write_lines(kRouteButtonSection, s.route_buttons, kRouteButtonLine, out);
  int stations = highest(s.stations);
  write_section(kStationSection, s.stations, out,
                [&](const StationState& st) { write_station(st, stations, out); });
  write_lines(kRailSection, s.rails, kRailLine, out);
  write_lines(kPRailSection, s.p_rails, kPRailLine, out);
  write_accidents(kAccidentBetweenSection, s.accident_between, out);
  write_accidents(kAccidentRailSection, s.accident_rail, out);
  write_accidents(kAccidentPointSection, s.accident_point, out);
  write_accidents(kAccidentUnitSection, s.accident_unit, out);
  write_accidents(kAccidentStationSection, s.accident_station, out);
}

std::string stack_member_text(const ExecutedState& state) {
  csv::Writer out;
  write_stack_member(state, out);
  return out.take();
}

StackReadResult parse_stack_member(std::string_view content) {
  StackReadResult result;
  StackCursor in(content);
  ExecutedState state;
  if (read_all(in, state)) {
    result.state = std::move(state);
  } else {
    result.error = in.error();
    result.error_line = in.error_line();
  }
  return result;
}

std::optional<ExecutedState> read_stack_member(std::string_view content, const std::string& source,
                                               Prompt& prompt) {
  StackReadResult r = parse_stack_member(content);
  if (!r.ok()) {
    prompt.tell(caption::kReadError,
                format("ファイル'%s'の実行データが壊れています（%zu行目：%s）。\n", source.c_str(),
                       r.error_line, r.error.c_str()));
  }
  return std::move(r.state);
}

std::optional<ExecutedState> read_stack_file(const std::filesystem::path& path, Prompt& prompt) {
  std::optional<std::string> content = textfile::read_text(path);
  if (!content) {
    prompt.tell(caption::kReadError, format("ファイル'%s'は開けませんでした。\n", path.c_str()));
    return std::nullopt;
  }
  return read_stack_member(*content, path.string(), prompt);
}

}  // namespace vosk::datafiles
