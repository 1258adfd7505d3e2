// diagram.csv and d_event.csv.
#include <climits>
#include <vector>

#include "base/format.h"
#include "dia/dia_members.h"
#include "map/member_columns.h"

namespace vosk::dia {
namespace {

using map::IntColumn;

// Before 1010 the crew column held something else and train types were
// stored one lower.
constexpr int kFirstVersionWithCrew = 1010;
// From 1140 events store seconds; before, hours, minutes and seconds.
constexpr int kFirstVersionWithSeconds = 1140;
constexpr int kFirstVersionWithNickname = 1140;

// Columns after the record number, with the first version that writes each.
// Absent columns keep the defaults of a record read from an old file.
constexpr IntColumn<Diagram> kDiagramColumns[] = {
    {&Diagram::direction, "%d,"},
    {&Diagram::destination, "%2d,", 1130},
    {&Diagram::flag_a, "%1d,", 1130},
    {&Diagram::flag_b, "%1d,", 1130},
    {&Diagram::running_order, "%3d,", 1130},
    {&Diagram::next_working, "%3d,"},
    {&Diagram::crew, "%1d,"},
    {&Diagram::train_type, "%2d,"},
    {&Diagram::pattern_template, "%2d,", 1020},
    {&Diagram::applied_pattern, "%2d,", 1020},
    {&Diagram::pattern_changed, "%1d,", 1020},
    {&Diagram::speed_type, "%2d,", 1070},
    {&Diagram::flag_c, "%1d,", 1120},
    {&Diagram::follow_coupled, "%1d,", 1130},
    {&Diagram::coupled_behind, "%3d,", 1110},
    {&Diagram::coupled_ahead, "%3d,", 1110},
    {&Diagram::value_d, "%3d,", 1140},
    {&Diagram::car_number, "%3d,", 1140},
};

Diagram defaults_of_old_files() {
  Diagram d;
  d.pattern_changed = 1;
  d.speed_type = 1;
  d.flag_c = 1;
  d.follow_coupled = 1;
  return d;
}

bool any_in_use(const DiagramTable& diagrams) {
  for (int n = 1; n <= diagrams.extent(); ++n) {
    if (diagrams[n].in_use()) return true;
  }
  return false;
}

// An event line; `diagram` is 0 for lines to skip.
struct EventLine {
  int diagram = 0;
  DiaEvent event;
};

int clamp_to_int(long long t) {
  return t > INT_MAX ? INT_MAX : t < INT_MIN ? INT_MIN : static_cast<int>(t);
}

EventLine parse_event(const csv::Line& line, int version) {
  EventLine e;
  e.diagram = line.integer(0);
  if (version >= kFirstVersionWithSeconds) {
    e.event = {line.integer(1), line.integer(2), line.integer(3)};
  } else {  // number, an unused column, rail, hours, minutes, seconds, type
    long long t = 3600LL * line.integer(3) + 60LL * line.integer(4) + line.integer(5);
    e.event = {line.integer(2), clamp_to_int(t), line.integer(6)};
  }
  return e;
}

// The diagram an event line belongs to, or 0 (with a warning) when the line
// cannot be kept.
int owner_of(const EventLine& e, const DiagramTable& diagrams, std::size_t at,
             MemberWarnings& warnings) {
  if (e.diagram == 0) return 0;  // the filler line of an empty dia
  if (!diagrams.within_capacity(e.diagram)) {
    warnings.record_out_of_range(at, e.diagram);
    return 0;
  }
  if (!diagrams.contains(e.diagram) || !diagrams[e.diagram].in_use()) {
    // diagram.csv does not list it; the events would be lost on saving.
    warnings.warn(format("'%s'の%zu行目のダイヤ%dはダイヤデータにないため読み飛ばしました。\n",
                         warnings.member().c_str(), at, e.diagram));
    return 0;
  }
  return e.diagram;
}

}  // namespace

void read_diagram(std::string_view content, int version, DiaTables& dia, MemberWarnings& warnings) {
  map::read_numbered_lines(
      content, dia.diagrams, warnings, [&](const csv::Line& line, Diagram& d, std::size_t at) {
        d = defaults_of_old_files();
        std::size_t k = map::read_columns(line, 1, version, kDiagramColumns, d);
        if (version < kFirstVersionWithCrew) {
          d.crew = 1;
          if (d.train_type < INT_MAX) ++d.train_type;
        }
        d.train_number = map::read_text(line, k++, kTrainNumberBytes, at, warnings);
        d.destination_text = map::read_text(line, k++, kDestinationTextBytes, at, warnings);
        if (version >= kFirstVersionWithNickname) {
          d.nickname = map::read_text(line, k++, kNicknameBytes, at, warnings);
        }
        d.remarks = map::read_text(line, k, kRemarksBytes, at, warnings);
      });
}

void write_diagram(const DiaTables& dia, csv::Writer& out) {
  if (!any_in_use(dia.diagrams)) {
    out.printf("0,0,0,0,0,0,0\n");
    return;
  }
  for (int n = 1; n <= dia.diagrams.extent(); ++n) {
    const Diagram& d = dia.diagrams[n];
    if (!d.in_use()) continue;
    out.printf("%3d,", n);
    map::write_columns(out, d, kDiagramColumns);
    out.printf("%s,%s,%s,%s,\n", d.train_number.c_str(), d.destination_text.c_str(),
               d.nickname.c_str(), d.remarks.c_str());
  }
}

// Each line is appended to its diagram's list as it is read. Afterwards
// every listed diagram below the highest one with events that has no event
// line itself (a run left half deleted) is freed; diagrams above it keep
// their slot without events.
void read_d_event(std::string_view content, int version, DiaTables& dia, MemberWarnings& warnings) {
  DiagramTable& diagrams = dia.diagrams;
  for (Diagram& d : diagrams) d.events.clear();

  int highest = 0;
  csv::Reader reader(content);
  csv::Line line;
  while (reader.next(line)) {
    if (line.overlong() || line.too_many_fields()) warnings.line_too_long(reader.line_number());
    EventLine e = parse_event(line, version);
    int n = owner_of(e, diagrams, reader.line_number(), warnings);
    if (n == 0) continue;
    if (n > highest) highest = n;
    diagrams[n].events.push_back(e.event);
  }
  for (int n = 1; n < highest; ++n) {
    if (diagrams[n].in_use() && diagrams[n].events.empty()) diagrams[n] = Diagram{};
  }
  // Keep the end entry every list carries; it repeats the last rail and time.
  for (Diagram& d : diagrams) {
    if (!d.events.empty() && d.events.back().type != kEventEnd) {
      d.events.push_back({d.events.back().rail, d.events.back().time, kEventEnd});
    }
  }
}

void write_d_event(const DiaTables& dia, csv::Writer& out) {
  if (!any_in_use(dia.diagrams)) {
    out.printf("0,0,0,0,0,0,0,\n");
    return;
  }
  for (int n = 1; n <= dia.diagrams.extent(); ++n) {
    const Diagram& d = dia.diagrams[n];
    if (!d.in_use()) continue;
    // "%2d,%3d,%05d,%d,\n" per event, composed in place: a large dia has a
    // million of these lines.
    char line[4 * 24];
    for (const DiaEvent& e : d.events) {
      char* p = csv::format_integer(line, n, 2);
      *p++ = ',';
      p = csv::format_integer(p, e.rail, 3);
      *p++ = ',';
      p = csv::format_integer(p, e.time, 5, false, true);
      *p++ = ',';
      p = csv::format_integer(p, e.type, 0);
      *p++ = ',';
      *p++ = '\n';
      out.text(std::string_view(line, static_cast<std::size_t>(p - line)));
    }
  }
}

}  // namespace vosk::dia
