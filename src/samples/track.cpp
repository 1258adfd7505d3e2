#include "samples/track.h"

#include <cassert>

namespace vosk::samples {
namespace {

int rail_of(int segment, bool rail_is_a) {
  return rail_is_a ? TrackBuilder::rail_a(segment) : TrackBuilder::rail_b(segment);
}

}  // namespace

int TrackBuilder::add(XY left, XY right, SegmentKind kind) {
  assert(left.x < right.x);
  Segment s;
  s.left = left;
  s.right = right;
  s.kind = kind;
  segments_.push_back(std::move(s));
  return segment_count();
}

void TrackBuilder::join(int left, int right) {
  Segment& l = segment(left);
  Segment& r = segment(right);
  assert(l.right == r.left);
  assert(l.right_links.empty() && r.left_links.empty());
  l.right_links = {right};
  r.left_links = {left};
}

int TrackBuilder::fan(int trunk, std::vector<int> branches, bool opens_right) {
  const int n = static_cast<int>(fans_.size());
  assert(!branches.empty() && 2 + 2 * static_cast<int>(branches.size()) <= map::kPointMaxRails);
  Segment& t = segment(trunk);
  assert(t.fan == 0);
  t.fan = n;
  (opens_right ? t.right_fan : t.left_fan) = n;
  (opens_right ? t.right_links : t.left_links) = branches;
  [[maybe_unused]] const XY joint = opens_right ? t.right : t.left;
  for (int b : branches) {
    Segment& s = segment(b);
    assert(s.fan == 0);
    assert((opens_right ? s.left : s.right) == joint);
    s.fan = n;
    (opens_right ? s.left_fan : s.right_fan) = n;
    (opens_right ? s.left_links : s.right_links) = {trunk};
  }
  Fan f;
  f.trunk = trunk;
  f.branches = std::move(branches);
  f.opens_right = opens_right;
  fans_.push_back(std::move(f));
  return n;
}

int TrackBuilder::position_at(int s, bool right_end) const {
  const Segment& seg = segment(s);
  int f = right_end ? seg.right_fan : seg.left_fan;
  return f ? point(f).position : 0;
}

int TrackBuilder::link(int s, bool right_end, bool rail_is_a, int position) const {
  const Segment& seg = segment(s);
  const std::vector<int>& links = right_end ? seg.right_links : seg.left_links;
  const int f = right_end ? seg.right_fan : seg.left_fan;
  if (links.empty()) return 0;
  if (f == 0) return rail_of(links.front(), rail_is_a);
  const Fan& fan = point(f);
  if (fan.trunk == s) return rail_of(fan.branches[static_cast<std::size_t>(position)], rail_is_a);
  // A branch joins the trunk only in its own position; in the others the
  // link is kept negative, so it is neither mirrored nor checked.
  const bool joined = fan.branches[static_cast<std::size_t>(position)] == s;
  const int trunk_rail = rail_of(fan.trunk, rail_is_a);
  return joined ? trunk_rail : -trunk_rail;
}

void TrackBuilder::write(RecordTable<map::Rail>& rails, RecordTable<map::PRail>& prails,
                         RecordTable<map::Point>& points, const std::function<int(int)>& row_of,
                         int key_line_y) const {
  for (int s = 1; s <= segment_count(); ++s) {
    const Segment& seg = segment(s);
    const int a = rail_a(s);
    const int b = rail_b(s);
    const int row = row_of(seg.left.x);
    const bool platform = seg.kind == SegmentKind::Platform;
    for (int r : {a, b}) {
      map::Rail& rail = rails.grow_to(r);
      const bool is_a = r == a;
      rail.direction = is_a ? 2 : 1;
      rail.station = platform ? seg.target : 0;
      rail.target = platform ? seg.target : 0;
      rail.area = seg.station;
      rail.signal = 1;
      rail.speed_limit = seg.speed_limit;
      rail.length = seg.length;
      rail.l_dual = is_a ? b : a;
      rail.l_pack = s;
      // The stopping mark lies 10 m before the rail's far end, so a train
      // stopped there stands wholly on the platform in either direction.
      rail.stop_distance = platform ? seg.length - 10 : 0;
      rail.gradient = is_a ? seg.gradient : -seg.gradient;
      rail.radius = is_a ? seg.radius : -seg.radius;
      rail.row = row;
      const XY& back = is_a ? seg.left : seg.right;
      const XY& next = is_a ? seg.right : seg.left;
      rail.row_pos_x_next = next.x;
      rail.row_pos_x_back = back.x;
      rail.row_pos_y_next = next.y;
      rail.row_pos_y_back = back.y;
      rail.short_name = is_a ? seg.short_a : seg.short_b;
      rail.name = is_a ? seg.name_a : seg.name_b;
    }
    rails[a].l_next = link(s, true, true, position_at(s, true));
    rails[a].l_back = link(s, false, true, position_at(s, false));
    rails[b].l_next = link(s, false, false, position_at(s, false));
    rails[b].l_back = link(s, true, false, position_at(s, true));

    map::PRail& pr = prails.grow_to(s);
    pr.single_track = seg.single_track ? 1 : 0;
    pr.electrification = 3;  // DC 1500 V throughout
    pr.rail_a = a;
    pr.rail_b = b;
    pr.point = seg.fan;
    pr.open = 1;
    if (seg.fan != 0) {
      const Fan& fan = point(seg.fan);
      pr.open = (fan.trunk == s || fan.branches[static_cast<std::size_t>(fan.position)] == s);
    }
  }

  // The key is written below the symbol position: above or below the rails
  // as the point lies, and a little towards the trunk, away from where the
  // diverging tracks leave.
  constexpr int kKeyHeight = 16;
  constexpr int kKeyShift = 8;
  auto key_at = [&](const Fan& fan, XY joint) {
    const int x = fan.opens_right ? joint.x - kKeyShift : joint.x + kKeyShift;
    const int y = joint.y < key_line_y ? joint.y - 2 - kKeyHeight : joint.y + 5;
    return XY{x, y};
  };
  for (int n = 1; n <= point_count(); ++n) {
    const Fan& fan = point(n);
    map::Point& p = points.grow_to(n);
    std::vector<int> members{fan.trunk};
    members.insert(members.end(), fan.branches.begin(), fan.branches.end());
    p.position = fan.position;
    p.position_count = static_cast<int>(fan.branches.size());
    p.rail_count = 2 * static_cast<int>(members.size());
    p.active_mode = fan.mode;
    p.configured_mode = fan.mode;
    p.normal_position = fan.normal_position;
    const XY joint = fan.opens_right ? segment(fan.trunk).right : segment(fan.trunk).left;
    p.symbol_row = row_of(segment(fan.trunk).left.x);
    const XY key = key_at(fan, joint);
    p.symbol_x = key.x;
    p.symbol_y = key.y;
    p.key = fan.key;
    int i = 0;
    for (int s : members) {
      for (bool is_a : {true, false}) {
        p.rails[static_cast<std::size_t>(i)] = rail_of(s, is_a);
        for (int pos = 0; pos < p.position_count; ++pos) {
          auto& open = p.open[static_cast<std::size_t>(i)][static_cast<std::size_t>(pos)];
          auto& next = p.next[static_cast<std::size_t>(i)][static_cast<std::size_t>(pos)];
          auto& back = p.back[static_cast<std::size_t>(i)][static_cast<std::size_t>(pos)];
          open = (s == fan.trunk || fan.branches[static_cast<std::size_t>(pos)] == s) ? 1 : 0;
          // Only the fan's own end depends on the position; the far end of
          // every member is a plain joint.
          next = link(s, is_a, is_a, pos);
          back = link(s, !is_a, is_a, pos);
        }
        ++i;
      }
    }
  }
}

}  // namespace vosk::samples
