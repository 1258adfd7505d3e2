#include "exchange/windia_export.h"

#include <algorithm>
#include <vector>

#include "base/format.h"
#include "datafiles/dia_tools.h"
#include "dia/numbering.h"
#include "dia/timing_lookup.h"
#include "exchange/windia_format.h"

namespace vosk::exchange {
namespace {

constexpr const char* kEol = "\r\n";
// Arrivals up to a minute past the day's end keep their hour ("2400").
constexpr int kArrivalDayEnd = 86460;

// Targets on the display target, in the order the file lists them: top to
// bottom of the graph when direction 1 runs rightward, else bottom to top.
std::vector<int> listed_targets(const datafiles::DataSet& ds, int display_target) {
  const auto& targets = ds.map.targets;
  const auto column = static_cast<std::size_t>(display_target);
  std::vector<int> list;
  if (column >= map::kDisplayTargetCount) return list;
  for (int n = 1; n <= targets.extent(); ++n) {
    if (targets[n].distances[column] >= 0) list.push_back(n);
  }
  std::stable_sort(list.begin(), list.end(), [&](int a, int b) {
    return targets[a].distances[column] < targets[b].distances[column];
  });
  if (ds.header.map.right_down == 0) std::reverse(list.begin(), list.end());
  return list;
}

// A text written as one field: the file has no quoting, so a comma would
// shift every later field; it becomes the full-width comma.
void append_field(std::string& out, std::string_view text) {
  for (char c : text) {
    if (c == ',')
      out += "\x81\x43";  // ，
    else
      out += c;
  }
}

class TrainWriter {
 public:
  TrainWriter(const datafiles::DataSet& ds, const std::vector<int>& list, bool view_pass)
      : ds_(ds), list_(list), view_pass_(view_pass), first_event_(list.size(), -1) {
    position_.assign(static_cast<std::size_t>(ds.map.targets.extent()) + 1, -1);
    for (std::size_t i = 0; i < list.size(); ++i)
      position_[static_cast<std::size_t>(list[i])] = static_cast<int>(i);
  }

  // Appends the train's line, or nothing when it stops at fewer than two of
  // the listed stations.
  void write(const dia::Diagram& d, std::string& out) {
    if (!find_first_events(d)) return;
    out += format("%d,", d.train_type - 1);
    append_field(out, d.train_number);
    out += ',';
    append_field(out, d.nickname);
    out += format(",%d", d.car_number);
    const int low = std::min(earliest_pos_, latest_pos_),
              high = std::max(earliest_pos_, latest_pos_);
    for (std::size_t i = 0; i < list_.size(); ++i) {
      out += ',';
      const int k = first_event_[i];
      const int pos = static_cast<int>(i);
      if (k >= 0 && field_of(d, static_cast<std::size_t>(k), out)) continue;
      if (pos > low && pos < high) out += '-';
    }
    if (!d.remarks.empty()) {
      out += ",\\";
      out += kEol;
      out += "\t%";
      out += d.remarks;
    }
    out += kEol;
  }

 private:
  // The first event at each listed station; true when at least two of them
  // are stops or arrivals, whose earliest and latest bound the run.
  bool find_first_events(const dia::Diagram& d) {
    std::fill(first_event_.begin(), first_event_.end(), -1);
    const std::size_t count = d.event_count();
    int halts = 0, earliest = -1, latest = -1;
    for (std::size_t k = 0; k < count; ++k) {
      const int pos = position_of_rail(d.events[k].rail);
      if (pos < 0 || first_event_[static_cast<std::size_t>(pos)] >= 0) continue;
      first_event_[static_cast<std::size_t>(pos)] = static_cast<int>(k);
      const int type = d.events[k].type;
      if (type != dia::kEventStop && type != dia::kEventArrival) continue;
      ++halts;
      if (earliest < 0) earliest = pos;
      latest = pos;
    }
    earliest_pos_ = earliest;
    latest_pos_ = latest;
    return halts >= 2;
  }

  int position_of_rail(int rail) const {
    if (!ds_.map.rails.names_record(rail)) return -1;
    const int target = ds_.map.rails[rail].target;
    return target > 0 && target < static_cast<int>(position_.size())
               ? position_[static_cast<std::size_t>(target)]
               : -1;
  }

  // Writes the field of event k; false when the event has no field text.
  bool field_of(const dia::Diagram& d, std::size_t k, std::string& out) const {
    const dia::DiaEvent& e = d.events[k];
    switch (e.type) {
      case dia::kEventStop:
        out += windia_time(e.time, true);
        return true;
      case dia::kEventArrival: {
        out += windia_time(e.time, e.time > kArrivalDayEnd);
        out += '/';
        // A split stop: the departure is the stop right after, same place.
        const std::size_t next = k + 1;
        if (next < d.event_count() && d.events[next].type == dia::kEventStop &&
            position_of_rail(d.events[next].rail) == position_of_rail(e.rail))
          out += windia_time(d.events[next].time, true);
        return true;
      }
      case dia::kEventPass:
        out += view_pass_ ? windia_time(e.time, true) + "?" : "-";
        return true;
      default:
        return false;
    }
  }

  const datafiles::DataSet& ds_;
  const std::vector<int>& list_;
  bool view_pass_;
  std::vector<int> position_;     // list position by target number, -1 when not listed
  std::vector<int> first_event_;  // event index by list position, -1 when none
  int earliest_pos_ = -1, latest_pos_ = -1;
};

void write_types(const dia::TrainTypeTable& types, std::string& out) {
  out += "[\x90\xfc\x8e\xed]";  // [線種]
  out += kEol;
  const int count = std::min(types.extent(), kWindiaTypeCount);
  out += "LINES=";
  for (int t = 1; t <= kWindiaTypeCount; ++t)
    out += format("%d,", t <= count ? windia_line_code(types[t], t) : 0);
  out += "0,0,0,0,0,0,0";
  out += kEol;
  for (int t = 1; t <= count; ++t) {
    out += format("Train%02d=", t - 1);
    append_field(out, types[t].name);
    out += ',';
    append_field(out, types[t].short_name);
    out += kEol;
  }
  out += kEol;
}

}  // namespace

std::string export_windia(datafiles::DataSet& ds, const WindiaExportOptions& options) {
  {
    dia::MapTablesRef map{ds.map.rails, ds.map.prails, ds.map.targets, ds.map.stations};
    dia::TimingLookup timing(map, ds.classification, datafiles::timing_settings(ds.header));
    dia::compute_running_order(ds.dia, timing, ds.header.dia.base_target);
  }
  const std::vector<int> list = listed_targets(ds, options.display_target);

  std::string out = "[WinDIA]";
  out += kEol;
  out += ds.header.dia.dia_title.empty() ? ds.header.map.map_name : ds.header.dia.dia_title;
  out += kEol;
  out += kEol;
  out += "[\x89\x77]";  // [駅]
  out += kEol;
  for (int n : list) {
    const map::Target& t = ds.map.targets[n];
    out += t.scale == map::kMajor ? "p," : ",";
    append_field(out, t.name);
    out += kEol;
  }
  out += kEol;
  write_types(ds.classification.train_types, out);

  std::vector<int> order;
  for (int n = 1; n <= ds.dia.diagrams.extent(); ++n) {
    const dia::Diagram& d = ds.dia.diagrams[n];
    if (d.in_use() && d.pattern_template == 0) order.push_back(n);
  }
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return ds.dia.diagrams[a].running_order < ds.dia.diagrams[b].running_order;
  });
  // Direction 1 is down unless RightDown is set.
  const int down = ds.header.map.right_down == 0 ? 1 : 2;
  TrainWriter writer(ds, list, options.view_pass);
  for (const int direction : {down, 3 - down}) {
    out += direction == down ? "[\x89\xba\x82\xe8]" : "[\x8f\xe3\x82\xe8]";  // [下り] / [上り]
    out += kEol;
    for (int n : order) {
      if (ds.dia.diagrams[n].direction == direction) writer.write(ds.dia.diagrams[n], out);
    }
    out += kEol;
  }
  return out;
}

}  // namespace vosk::exchange
