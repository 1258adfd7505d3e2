#include "dia/platform_overlap.h"

#include <algorithm>

#include "base/sjis.h"
#include "base/time_text.h"
#include "dia/auto_timing.h"
#include "dia/check_text.h"
#include "dia/train_type.h"

namespace vosk::dia {
namespace {

using timetext::order_key;

// A final arrival without a next working holds its track to the end of the
// operating day.
constexpr int kEndOfDay = 100800;

// When run d's track is free again after its final arrival.
int leaves_at(const CheckContext& ctx, const Diagram& d) {
  const Diagram* next = ctx.run(d.next_working);
  if (next == nullptr) return kEndOfDay;
  for (std::size_t i = 0; i < next->event_count(); ++i) {
    const DiaEvent& e = next->events[i];
    if (!is_departure(e.type)) continue;
    return e.time != 0 || ctx.timing.settings().wdia_mode ? order_key(e.time) : kEndOfDay;
  }
  return kEndOfDay;
}

// Whether run s is compared with run r for overlaps.
class ComparedRuns {
 public:
  ComparedRuns(const CheckContext& ctx, int r) : ctx_(ctx), r_(r) {
    const Diagram& d = ctx.dia.diagrams[r];
    unit_ = d.run.owning_unit;
    std::size_t count = d.event_count();
    last_time_ = count == 0 ? 0 : order_key(d.events[count - 1].time);
    excluded_ = ctx.relations.partners(r);
    std::size_t partners = excluded_.size();
    for (std::size_t k = 0; k < partners; ++k) {
      if (const Diagram* p = ctx.run(excluded_[k])) excluded_.push_back(p->next_working);
    }
  }

  bool operator()(int s) const {
    const Diagram* d = ctx_.run(s);
    if (s == r_ || d == nullptr || d->pattern_template != 0) return false;
    if (d->run.owning_unit == 0 || d->run.owning_unit == unit_) return false;
    if (std::find(excluded_.begin(), excluded_.end(), s) != excluded_.end()) return false;
    if (d->coupled_behind != 0) return false;
    if (unit_ != 0) {
      // A damaged chain may loop.
      int steps = ctx_.dia.diagrams.extent();
      for (const Diagram* a = ctx_.run(d->coupled_ahead); a != nullptr && steps-- > 0;
           a = ctx_.run(a->coupled_ahead)) {
        if (a->run.owning_unit == unit_) return false;
      }
    }
    bool has_start = !d->events.empty() && d->events[0].type != kEventEnd;
    if (d->next_working != 0 && has_start && order_key(d->events[0].time) > last_time_) {
      return false;
    }
    return true;
  }

 private:
  const CheckContext& ctx_;
  int r_;
  int unit_ = 0;
  int last_time_ = 0;
  std::vector<int> excluded_;
};

// Writes the overlap line into `out`, reusing its storage.
void overlap_line(const CheckContext& ctx, const Diagram& s, int rail, std::string& out) {
  const MapTablesRef& map = ctx.map();
  std::string_view type_name = train_type_label(ctx.timing.tables().train_types, s.train_type, 3);
  std::string_view rail_name =
      map.rail(rail) != nullptr ? map.rails[rail].name : std::string_view();
  static const Cp932Template text("%s（%s %s）と%sで番線重複しています。");
  text.fill_into(out, {s.train_number, type_name, s.destination_text, rail_name});
}

}  // namespace

const std::string& no_overlap_text() {
  static const Cp932Template text("番線重複はありません。");
  return text.text();
}

std::vector<Occupation> run_occupations(const CheckContext& ctx, int n) {
  std::vector<Occupation> out;
  const Diagram* d = ctx.run(n);
  if (d == nullptr) return out;
  bool zero_is_time = ctx.timing.settings().wdia_mode;
  auto set = [&](int t) { return t != 0 || zero_is_time; };
  std::size_t count = d->event_count();
  bool waiting = false;  // the last stay is an arrival waiting for its departure
  for (std::size_t i = 0; i < count; ++i) {
    const DiaEvent& e = d->events[i];
    int target = ctx.map().rail_target(e.rail);
    if (is_departure(e.type)) {
      if (waiting && out.back().target == target) {
        waiting = false;
        if (set(e.time)) {
          out.back().end = order_key(e.time);
          out.back().rail = e.rail;
        }
        continue;
      }
      waiting = false;
      if (!set(e.time)) continue;
      int departure = order_key(e.time);
      int dwell = ctx.timing.stop_time(e.rail, d->train_type, d->speed_type);
      out.push_back({n, e.rail, target, departure - dwell, departure});
    } else if (e.type == kEventArrival) {
      waiting = false;
      if (!set(e.time)) continue;
      int arrival = order_key(e.time);
      bool final_arrival = i + 1 == count;
      out.push_back({n, e.rail, target, arrival, final_arrival ? leaves_at(ctx, *d) : arrival});
      waiting = !final_arrival;
    } else {
      waiting = false;
    }
  }
  return out;
}

int OccupationIndex::track_key(const MapTablesRef& map, int rail) {
  const map::Rail* r = map.rail(rail);
  if (r != nullptr && map.prails.names_record(r->l_pack)) return r->l_pack;
  return -rail;
}

OccupationIndex::OccupationIndex(const CheckContext& ctx) {
  for (int n = 1; n <= ctx.dia.diagrams.extent(); ++n) {
    const Diagram& d = ctx.dia.diagrams[n];
    if (!d.in_use() || d.pattern_template != 0 || d.run.owning_unit == 0) continue;
    for (const Occupation& o : run_occupations(ctx, n)) {
      tracks_[track_key(ctx.map(), o.rail)].stays.push_back(o);
    }
  }
  for (auto& [key, track] : tracks_) {
    std::stable_sort(track.stays.begin(), track.stays.end(),
                     [](const Occupation& a, const Occupation& b) { return a.start < b.start; });
    track.starts.reserve(track.stays.size());
    for (const Occupation& o : track.stays) track.starts.push_back(o.start);
    track.latest_end.assign(4 * track.stays.size(), 0);
    build(track, 1, 0, track.stays.size());
  }
}

void OccupationIndex::build(Track& track, std::size_t node, std::size_t lo, std::size_t hi) {
  if (hi - lo == 1) {
    track.latest_end[node] = track.stays[lo].end;
    return;
  }
  std::size_t mid = (lo + hi) / 2;
  build(track, 2 * node, lo, mid);
  build(track, 2 * node + 1, mid, hi);
  track.latest_end[node] = std::max(track.latest_end[2 * node], track.latest_end[2 * node + 1]);
}

void OccupationIndex::collect(const Track& track, std::size_t node, std::size_t lo, std::size_t hi,
                              std::size_t upper, int start, std::vector<Occupation>& out) {
  if (lo >= upper || track.latest_end[node] < start) return;
  if (hi - lo == 1) {
    out.push_back(track.stays[lo]);
    return;
  }
  std::size_t mid = (lo + hi) / 2;
  collect(track, 2 * node, lo, mid, upper, start, out);
  collect(track, 2 * node + 1, mid, hi, upper, start, out);
}

void OccupationIndex::overlapping(int track, int start, int end,
                                  std::vector<Occupation>& out) const {
  const Track* t = find(track);
  if (t == nullptr || t->stays.empty()) return;
  // Stays starting after `end` cannot meet; of the others, those ending
  // before `start` are pruned by the tree.
  auto after = std::upper_bound(t->starts.begin(), t->starts.end(), end);
  auto upper = static_cast<std::size_t>(after - t->starts.begin());
  collect(*t, 1, 0, t->stays.size(), upper, start, out);
}

OverlapResult check_platform_overlap(const CheckContext& ctx, const OccupationIndex& index, int n,
                                     bool use_duplicate, CheckReport& report) {
  OverlapResult result;
  const Diagram* r = ctx.run(n);
  if (!use_duplicate || r == nullptr || r->pattern_template != 0) return result;
  std::string last_line;
  std::vector<Occupation> met;
  const ComparedRuns compared(ctx, n);
  for (const Occupation& stay : run_occupations(ctx, n)) {
    met.clear();
    index.overlapping(OccupationIndex::track_key(ctx.map(), stay.rail), stay.start, stay.end, met);
    for (const Occupation& o : met) {
      if (o.target != stay.target || !compared(o.run)) continue;
      overlap_line(ctx, ctx.dia.diagrams[o.run], o.rail, last_line);
      report.line(last_line);
      result.hits.push_back({o.rail, o.run});
    }
  }
  if (result.hits.empty()) {
    report.line(no_overlap_text());
    return result;
  }
  result.ok = false;
  result.box_text = sjis::to_utf8_lossy(last_line);
  if (result.hits.size() > 1) {
    result.box_text +=
        "\n\n複数の番線重複がありました。\nこれ以外はメッセージウインドウで確認できます。";
  }
  return result;
}

}  // namespace vosk::dia
