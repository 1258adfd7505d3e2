#include "samples/map.h"

#include <algorithm>
#include <cassert>
#include <map>

#include "base/format.h"
#include "samples/names.h"
#include "map/station.h"
#include "map/target.h"

namespace vosk::samples {
namespace {

// Display units: one cell is 20 units wide; the tracks run at fixed heights.
constexpr int kCell = 20;
// The main tracks lie far enough apart for a station's name between them,
// and so do the two tracks of a branch loop.
constexpr int kYTop = 20;      // upper loops and the first terminal platform
constexpr int kYDown = 45;     // main track used rightward
constexpr int kYUp = 75;       // main track used leftward
constexpr int kYBottom = 100;  // lower loops and the junction's bay
constexpr int kYBranch = 140;
constexpr int kYBranchLoop = 170;
// Where station names stand: between the main tracks, and below the
// branch's track (between the two tracks of its loops).
constexpr int kYMainName = (kYDown + kYUp) / 2;
constexpr int kYBranchName = (kYBranch + kYBranchLoop) / 2;
// Platforms are long enough for a name between the route levers and buttons
// at their ends.
constexpr int kPlatformCells = 6;
constexpr int kRowCells = 64;  // a display row holds about 1280 units
constexpr int kRowHeight = 200;
constexpr int kRowXOrigin = 40;

// Open-line sections: main interstation i has group i, the branch section
// ending at branch station m (1-based) has group kBranchGroup + m - 1.
constexpr int kBranchGroup = 1 << 20;

constexpr std::size_t kShortBytes = 20;
constexpr std::size_t kNameBytes = 255;

// Fixed lengths in metres. Alternatives a train may take (terminal
// platforms, the two sides of a loop) are equally long, so a run's times do
// not depend on the platform it is given.
constexpr int kSwitchLength = 30;
constexpr int kThroatBranchLength = 60;
constexpr int kYardLength = 120;
constexpr int kSidingLength = 180;

enum BandId { kBandDown, kBandUp, kBandBranch };

struct Band {
  int id = 0;
  int open = 0;  // segment whose right end the band continues from, 0 = none yet
  int x = 0;     // cells
  int y = 0;
};

class Layout {
 public:
  Layout(SampleLine& line, SampleRandom& random) : line_(line), t_(line.track), random_(random) {
    down_ = {kBandDown, 0, 0, kYDown};
    up_ = {kBandUp, 0, 0, kYUp};
    branch_ = {kBandBranch, 0, 0, kYBranch};
  }

  void run(int main_count, int branch_count);

 private:
  int seg(int c0, int y0, int c1, int y1, SegmentKind kind, int station) {
    int s = t_.add({c0 * kCell, y0}, {c1 * kCell, y1}, kind);
    t_.segment(s).station = station;
    return s;
  }
  // A segment from the band's open end to (c1, y1).
  int extend(Band& b, int c1, int y1, SegmentKind kind, int station, int group = -1) {
    int s = seg(b.x, b.y, c1, y1, kind, station);
    Segment& sg = t_.segment(s);
    sg.group = group;
    sg.band = b.id;
    if (b.open) t_.join(b.open, s);
    b.open = s;
    b.x = c1;
    b.y = y1;
    return s;
  }
  // Open line up to cell c1, in blocks of two cells.
  void line_to(Band& b, int c1, int group) {
    while (b.x < c1) extend(b, std::min(b.x + 2, c1), b.y, SegmentKind::Line, 0, group);
  }
  int platform(int c0, int c1, int y, const StationPlan& st, int band) {
    int s = seg(c0, y, c1, y, SegmentKind::Platform, st.number);
    t_.segment(s).target = st.number;
    t_.segment(s).band = band;
    return s;
  }
  int continue_with(Band& b, int s, int c1, int y1) {
    b.open = s;
    b.x = c1;
    b.y = y1;
    return s;
  }
  // The station drawing covers the platforms and is centred on `name_y`,
  // where the name is written in a gap between the tracks.
  void draw(const StationPlan& st, std::initializer_list<int> platforms, int name_y) {
    StationDrawPlan d{st.number, {1 << 30, 1 << 30}, {-(1 << 30), -(1 << 30)}};
    for (int p : platforms) {
      const Segment& s = t_.segment(p);
      d.top_left = {std::min(d.top_left.x, s.left.x), std::min(d.top_left.y, s.left.y - 6)};
      d.bottom_right = {std::max(d.bottom_right.x, s.right.x),
                        std::max(d.bottom_right.y, s.right.y + 6)};
    }
    const int half = std::max(name_y - d.top_left.y, d.bottom_right.y - name_y);
    d.top_left.y = name_y - half;
    d.bottom_right.y = name_y + half;
    line_.draws.push_back(d);
  }

  // A point where the band's track divides: straight on, and a diverging
  // track to y_other. Returns both branches (one cell each).
  std::pair<int, int> split(Band& b, int y_other, int station);
  // The mirror image: the band's track (`straight`, ending at cell c) and
  // `other` (ending at c, y_other) join again; the band goes on from there.
  void merge(Band& b, int straight, int other, int c, int y_other, int station);

  void west_terminal(StationPlan& st, int c, int width);
  void simple(StationPlan& st, int c, int width, int k);
  void loop(StationPlan& st, int c, int width, int k);
  void junction(StationPlan& st, int c, int width, int k);
  void east_terminal(StationPlan& st, int c, int k);
  void branch_station(StationPlan& st, int c, int width, int m, bool last);

  SampleLine& line_;
  TrackBuilder& t_;
  SampleRandom& random_;
  Band down_, up_, branch_;
};

void Layout::west_terminal(StationPlan& st, int c, int width) {
  const int n = st.number;
  // Three stub platforms and two sidings fan into one throat track, which
  // splits again onto the two main tracks.
  const int ys[] = {kYTop, kYDown, kYUp, kYBottom, kYBottom + 20};
  const int e = c + 1 + kPlatformCells;  // where the platforms and sidings end
  std::vector<int> fans;
  for (int k = 0; k < 5; ++k) {
    int track = k < 3 ? platform(c + 1, e, ys[k], st, kBandDown)
                      : seg(c + 1, ys[k], e, ys[k], SegmentKind::Siding, n);
    if (k < 3) st.terminal.push_back(track);
    int f = seg(e, ys[k], e + 2, kYDown, SegmentKind::Switch, n);
    t_.join(track, f);
    fans.push_back(f);
  }
  int throat = seg(e + 2, kYDown, e + 3, kYDown, SegmentKind::Switch, n);
  line_.track.point(t_.fan(throat, fans, false)).position = random_.between(0, 2);
  int fork = seg(e + 3, kYDown, e + 4, kYDown, SegmentKind::Switch, n);
  t_.join(throat, fork);
  int to_down = seg(e + 4, kYDown, e + 5, kYDown, SegmentKind::Switch, n);
  int to_up = seg(e + 4, kYDown, e + 5, kYUp, SegmentKind::Switch, n);
  t_.fan(fork, {to_down, to_up}, true);
  continue_with(down_, to_down, e + 5, kYDown);
  continue_with(up_, to_up, e + 5, kYUp);
  line_to(down_, c + width, 0);
  line_to(up_, c + width, 0);
  draw(st, {st.terminal[0], st.terminal[2]}, kYMainName);
}

void Layout::simple(StationPlan& st, int c, int width, int k) {
  line_to(down_, c + 4, k - 1);
  line_to(up_, c + 4, k - 1);
  st.down = extend(down_, c + 4 + kPlatformCells, kYDown, SegmentKind::Platform, st.number);
  st.up = extend(up_, c + 4 + kPlatformCells, kYUp, SegmentKind::Platform, st.number);
  t_.segment(st.down).target = st.number;
  t_.segment(st.up).target = st.number;
  line_to(down_, c + width, k);
  line_to(up_, c + width, k);
  draw(st, {st.down, st.up}, kYMainName);
}

std::pair<int, int> Layout::split(Band& b, int y_other, int station) {
  const int c = b.x;
  int trunk = extend(b, c + 1, b.y, SegmentKind::Switch, station);
  int straight = seg(c + 1, b.y, c + 2, b.y, SegmentKind::Switch, station);
  int diverging = seg(c + 1, b.y, c + 2, y_other, SegmentKind::Switch, station);
  t_.fan(trunk, {straight, diverging}, true);
  return {straight, diverging};
}

void Layout::merge(Band& b, int straight, int other, int c, int y_other, int station) {
  int s = seg(c, b.y, c + 1, b.y, SegmentKind::Switch, station);
  int d = seg(c, y_other, c + 1, b.y, SegmentKind::Switch, station);
  t_.join(straight, s);
  t_.join(other, d);
  int trunk = seg(c + 1, b.y, c + 2, b.y, SegmentKind::Switch, station);
  t_.fan(trunk, {s, d}, false);
  continue_with(b, trunk, c + 2, b.y);
}

void Layout::loop(StationPlan& st, int c, int width, int k) {
  const int n = st.number;
  line_to(down_, c + 2, k - 1);
  line_to(up_, c + 2, k - 1);
  auto [ds, dl] = split(down_, kYTop, n);
  auto [us, ul] = split(up_, kYBottom, n);
  // Track numbers follow PRail numbers: the upper loop is track 1.
  st.down_loop = platform(c + 4, c + 4 + kPlatformCells, kYTop, st, kBandDown);
  st.down = platform(c + 4, c + 4 + kPlatformCells, kYDown, st, kBandDown);
  st.up = platform(c + 4, c + 4 + kPlatformCells, kYUp, st, kBandUp);
  st.up_loop = platform(c + 4, c + 4 + kPlatformCells, kYBottom, st, kBandUp);
  t_.join(dl, st.down_loop);
  t_.join(ds, st.down);
  t_.join(us, st.up);
  t_.join(ul, st.up_loop);
  merge(down_, st.down, st.down_loop, c + 4 + kPlatformCells, kYTop, n);
  merge(up_, st.up, st.up_loop, c + 4 + kPlatformCells, kYBottom, n);
  line_to(down_, c + width, k);
  line_to(up_, c + width, k);
  draw(st, {st.down_loop, st.up_loop}, kYMainName);
}

void Layout::junction(StationPlan& st, int c, int width, int k) {
  const int n = st.number;
  line_to(down_, c + 2, k - 1);
  line_to(up_, c + 4, k - 1);
  // A crossover from the down track to the up track, then a single lead
  // from the up track into the bay: down trains for the branch cross over,
  // up trains from the branch run straight onto the up track.
  auto [xds, xdd] = split(down_, (kYDown + kYUp) / 2, n);
  int xus = extend(up_, c + 5, kYUp, SegmentKind::Switch, n);
  int xud = seg(c + 4, (kYDown + kYUp) / 2, c + 5, kYUp, SegmentKind::Switch, n);
  t_.join(xdd, xud);
  int xut = seg(c + 5, kYUp, c + 6, kYUp, SegmentKind::Switch, n);
  t_.fan(xut, {xus, xud}, false);
  continue_with(up_, xut, c + 6, kYUp);
  continue_with(down_, xds, c + 4, kYDown);
  extend(down_, c + 8, kYDown, SegmentKind::Yard, n);
  auto [js, jb] = split(up_, kYBottom, n);
  st.down = extend(down_, c + 8 + kPlatformCells, kYDown, SegmentKind::Platform, n);
  t_.segment(st.down).target = n;
  st.up = platform(c + 8, c + 8 + kPlatformCells, kYUp, st, kBandUp);
  st.bay = platform(c + 8, c + 8 + kPlatformCells, kYBottom, st, kBandBranch);
  t_.join(js, st.up);
  t_.join(jb, st.bay);
  continue_with(up_, st.up, c + 8 + kPlatformCells, kYUp);
  line_to(down_, c + width, k);
  line_to(up_, c + width, k);
  // The branch leaves the bay eastward, down to its own band.
  continue_with(branch_, st.bay, c + 8 + kPlatformCells, kYBottom);
  extend(branch_, c + 10 + kPlatformCells, kYBranch, SegmentKind::Line, 0, kBranchGroup);
  line_to(branch_, c + width, kBranchGroup);
  draw(st, {st.down, st.bay}, kYMainName);
}

void Layout::east_terminal(StationPlan& st, int c, int k) {
  const int n = st.number;
  line_to(down_, c + 4, k - 1);
  line_to(up_, c + 4, k - 1);
  int from_down = extend(down_, c + 5, kYDown, SegmentKind::Switch, n);
  int from_up = extend(up_, c + 5, kYDown, SegmentKind::Switch, n);
  int joined = seg(c + 5, kYDown, c + 6, kYDown, SegmentKind::Switch, n);
  t_.fan(joined, {from_down, from_up}, false);
  int fork = seg(c + 6, kYDown, c + 7, kYDown, SegmentKind::Switch, n);
  t_.join(joined, fork);
  int to1 = seg(c + 7, kYDown, c + 8, kYDown, SegmentKind::Switch, n);
  int to2 = seg(c + 7, kYDown, c + 8, kYUp, SegmentKind::Switch, n);
  t_.fan(fork, {to1, to2}, true);
  st.terminal = {platform(c + 8, c + 8 + kPlatformCells, kYDown, st, kBandDown),
                 platform(c + 8, c + 8 + kPlatformCells, kYUp, st, kBandUp)};
  t_.join(to1, st.terminal[0]);
  t_.join(to2, st.terminal[1]);
  draw(st, {st.terminal[0], st.terminal[1]}, kYMainName);
}

void Layout::branch_station(StationPlan& st, int c, int width, int m, bool last) {
  const int n = st.number;
  const int before = kBranchGroup + m - 1;
  if (st.role == StationRole::BranchHalt) {
    line_to(branch_, c + 4, before);
    st.down = extend(branch_, c + 4 + kPlatformCells, kYBranch, SegmentKind::Platform, n);
    t_.segment(st.down).target = n;
    st.up = st.down;
    line_to(branch_, c + width, before + 1);
    draw(st, {st.down}, kYBranchName);
    return;
  }
  line_to(branch_, c + 2, before);
  auto [bs, bl] = split(branch_, kYBranchLoop, n);
  int p1 = platform(c + 4, c + 4 + kPlatformCells, kYBranch, st, kBandBranch);
  int p2 = platform(c + 4, c + 4 + kPlatformCells, kYBranchLoop, st, kBandBranch);
  t_.join(bs, p1);
  t_.join(bl, p2);
  draw(st, {p1, p2}, kYBranchName);
  if (last) {
    st.terminal = {p1, p2};
    return;
  }
  // Trains cross here: rightward ones keep to track 1, leftward ones take 2.
  st.down = p1;
  st.up = p2;
  merge(branch_, p1, p2, c + 4 + kPlatformCells, kYBranchLoop, n);
  line_to(branch_, c + width, before + 1);
}

void Layout::run(int main_count, int branch_count) {
  const int j = line_.junction;
  const int slots = std::max(main_count, j + branch_count + 1);
  // A station's slot: its platforms, and the throats and open line around them.
  std::vector<int> widths(static_cast<std::size_t>(slots), 8 + kPlatformCells);
  widths[0] = 12 + kPlatformCells;
  widths[static_cast<std::size_t>(j)] = 12 + kPlatformCells;
  int c = 0;
  int row_start = 0;
  line_.row_starts = {0};
  for (int k = 0; k < slots; ++k) {
    const int w = widths[static_cast<std::size_t>(k)];
    // Rows break only between slots, where every track has a joint and no
    // station drawing lies.
    if (c + w - row_start > kRowCells && c > row_start) {
      row_start = c;
      line_.row_starts.push_back(c * kCell);
    }
    if (k < main_count) {
      StationPlan& st = line_.main[static_cast<std::size_t>(k)];
      switch (st.role) {
        case StationRole::WestTerminal:
          west_terminal(st, c, w);
          break;
        case StationRole::Loop:
          loop(st, c, w, k);
          break;
        case StationRole::Junction:
          junction(st, c, w, k);
          break;
        case StationRole::EastTerminal:
          east_terminal(st, c, k);
          break;
        default:
          simple(st, c, w, k);
          break;
      }
    }
    const int m = k - j;
    if (m >= 1 && m <= branch_count) {
      branch_station(line_.branch[static_cast<std::size_t>(m - 1)], c, w, m, m == branch_count);
    }
    c += w;
  }
}

// ---- Lengths, profiles and names ----

int round10(int metres) { return (metres + 5) / 10 * 10; }

void set_lengths(SampleLine& line, SampleRandom& random) {
  TrackBuilder& t = line.track;
  // Blocks per open-line section and track.
  std::map<std::pair<int, int>, int> blocks;
  for (int s = 1; s <= t.segment_count(); ++s) {
    const Segment& sg = t.segment(s);
    if (sg.kind == SegmentKind::Line) ++blocks[{sg.group, sg.band}];
  }
  std::map<int, int> section_length;
  for (const auto& [key, count] : blocks) {
    if (section_length.count(key.first)) continue;
    const bool branch = key.first >= kBranchGroup;
    section_length[key.first] =
        branch ? random.between(180, 420) * 10 : random.between(130, 340) * 10;
  }
  for (int s = 1; s <= t.segment_count(); ++s) {
    Segment& sg = t.segment(s);
    switch (sg.kind) {
      case SegmentKind::Line: {
        // The station tracks at both ends take up about 400 m of a section.
        int n = blocks[{sg.group, sg.band}];
        sg.length = std::max(200, round10((section_length[sg.group] - 400) / n));
        if (random.chance(50)) sg.gradient = random.between(-15, 15);
        if (random.chance(35)) {
          sg.radius = random.between(4, 16) * 100 * (random.chance(50) ? 1 : -1);
          sg.speed_limit = std::abs(sg.radius) < 600 ? 70 : std::abs(sg.radius) < 900 ? 85 : 0;
        }
        sg.single_track = sg.band == kBandBranch;
        break;
      }
      case SegmentKind::Platform: {
        const StationPlan* plan = nullptr;
        for (const auto* list : {&line.main, &line.branch}) {
          for (const StationPlan& st : *list) {
            if (st.number == sg.target) plan = &st;
          }
        }
        assert(plan);
        switch (plan->role) {
          case StationRole::WestTerminal:
            sg.length = 210;
            break;
          case StationRole::EastTerminal:
          case StationRole::Junction:
            sg.length = sg.band == kBandBranch ? 110 : 200;
            break;
          case StationRole::Loop:
            sg.length = 190;
            break;
          case StationRole::Simple:
            sg.length = 180;
            break;
          default:
            sg.length = 110;
            break;
        }
        sg.single_track = sg.band == kBandBranch;
        break;
      }
      case SegmentKind::Siding:
        sg.length = kSidingLength;
        break;
      case SegmentKind::Yard:
        sg.length = kYardLength;
        break;
      case SegmentKind::Switch: {
        const bool throat_branch = sg.right.x - sg.left.x > kCell;
        sg.length = throat_branch ? kThroatBranchLength : kSwitchLength;
        // Diverging routes are slow.
        if (sg.left.y != sg.right.y) sg.speed_limit = 45;
        sg.single_track = sg.band == kBandBranch || sg.left.y >= kYBranch;
        break;
      }
    }
  }
}

std::string key_text(int n, int width) { return format("%0*d", width, n); }

void name_segments(SampleLine& line) {
  TrackBuilder& t = line.track;
  const int points = t.point_count();
  int width = 2;
  for (int limit = 100; points + 10 >= limit; limit *= 10) ++width;
  for (int p = 1; p <= points; ++p) t.point(p).key = key_text(9 + p, width);

  auto station_of_group = [&](int group, bool east) -> const std::string& {
    if (group >= kBranchGroup) {
      int m = group - kBranchGroup;  // section toward branch station m + 1
      if (!east) {
        return m == 0 ? line.names[static_cast<std::size_t>(line.main[line.junction].number)]
                      : line.names[static_cast<std::size_t>(line.branch[m - 1].number)];
      }
      return line.names[static_cast<std::size_t>(line.branch[m].number)];
    }
    return line.names[static_cast<std::size_t>(line.main[group + (east ? 1 : 0)].number)];
  };
  // Track numbers: a target's platforms in PRail order.
  std::map<int, int> tracks_seen;
  std::map<std::pair<int, int>, int> blocks_seen;
  for (int s = 1; s <= t.segment_count(); ++s) {
    Segment& sg = t.segment(s);
    const std::string& station = line.names[static_cast<std::size_t>(sg.station)];
    std::string name, short_name, name_b, short_b;
    switch (sg.kind) {
      case SegmentKind::Platform: {
        int track = ++tracks_seen[sg.target];
        const std::string& st = line.names[static_cast<std::size_t>(sg.target)];
        name = format("%s%d番線", st.c_str(), track);
        short_name = format("%s%d", st.c_str(), track);
        break;
      }
      case SegmentKind::Siding: {
        int track = ++tracks_seen[-sg.station];
        name = format("%s留置%d番線", station.c_str(), track);
        short_name = format("%s留%d", station.c_str(), track);
        break;
      }
      case SegmentKind::Switch: {
        const std::string& key = t.point(sg.fan).key;
        name = format("%s構内%s号", station.c_str(), key.c_str());
        short_name = format("%s%s", station.c_str(), key.c_str());
        break;
      }
      case SegmentKind::Yard:
        name = format("%s構内", station.c_str());
        short_name = name;
        break;
      case SegmentKind::Line: {
        int block = ++blocks_seen[{sg.group, sg.band}];
        const std::string& west = station_of_group(sg.group, false);
        const std::string& east = station_of_group(sg.group, true);
        const char* right = sg.single_track ? "%s＝%s%d" : "%s→%s%d";
        const char* left = sg.single_track ? "%s＝%s%d" : "%s←%s%d";
        name = format(right, west.c_str(), east.c_str(), block);
        name_b = format(left, west.c_str(), east.c_str(), block);
        short_name = name;
        short_b = name_b;
        break;
      }
    }
    if (name_b.empty()) {
      name_b = name;
      short_b = short_name;
    }
    sg.name_a = record_text(name, kNameBytes);
    sg.short_a = record_text(short_name, kShortBytes);
    sg.name_b = record_text(name_b, kNameBytes);
    sg.short_b = record_text(short_b, kShortBytes);
  }
}

// Room for the records plus a quarter, never below the usual default.
int capacity_for(int extent, int usual) {
  return std::max(usual, (extent + extent / 4 + 15) / 16 * 16);
}

void write_signal_set(map::SignalSets& signals) {
  signals.clear();
  map::SignalSet& set = signals.sets.grow_to(1);
  set.name = record_text("５現示信号機", kShortBytes);
  set.description = record_text("停止・警戒・注意・減速・進行の５現示", kNameBytes);
  struct AspectBand {
    int lower;
    int second;
    map::ColourTriple colour;
    const char* name;
    const char* file;
  };
  // Highest band first, as signal.csv lists them; the second value is the
  // upper end of the band below.
  const AspectBand bands[] = {
      {76, 1023, {0, 255, 0}, "進行", "Signal____G.bmp"},
      {46, 75, {128, 255, 0}, "減速", "Signal_Y__G.bmp"},
      {26, 45, {255, 255, 0}, "注意", "Signal___Y_.bmp"},
      {1, 25, {255, 160, 0}, "警戒", "SignalY__Y_.bmp"},
      {0, 0, {255, 0, 0}, "停止", "Signal__R__.bmp"},
  };
  int upper = map::kTopSpeedStep;
  for (const AspectBand& b : bands) {
    signals.pictures.push_back({record_text(b.name, kShortBytes), b.file});
    signals.colours.push_back(b.colour);
    map::AspectEntry e{true, b.lower, b.second, static_cast<int>(signals.pictures.size()) - 1,
                       static_cast<int>(signals.colours.size()) - 1};
    for (int step = upper; step >= b.lower; --step) set.aspects[static_cast<std::size_t>(step)] = e;
    upper = b.lower - 1;
  }
}

void write_details(const RecordTable<map::Rail>& rails, RecordTable<map::Detail>& details) {
  int count = 0;
  for (int r = 1; r <= rails.extent(); ++r) {
    if (rails[r].radius != 0 && std::abs(rails[r].radius) < 900) ++count;
  }
  details.allocate(count);
  int n = 0;
  for (int r = 1; r <= rails.extent(); ++r) {
    const map::Rail& rail = rails[r];
    if (rail.radius == 0 || std::abs(rail.radius) >= 900) continue;
    // The curve proper: the middle third of the block.
    map::Detail& d = details.grow_to(++n);
    d.rail = r;
    d.start = rail.length / 3;
    d.end = rail.length * 2 / 3;
    d.speed_limit = rail.speed_limit;
    d.gradient = rail.gradient;
    d.radius = rail.radius;
  }
}

}  // namespace

int SampleLine::row_of(int x) const {
  auto it = std::upper_bound(row_starts.begin(), row_starts.end(), x);
  return static_cast<int>(it - row_starts.begin());
}

bool SampleLine::against_traffic(int rail) const {
  const Segment& s = track.segment(TrackBuilder::segment_of(rail));
  if (s.kind != SegmentKind::Line) return false;
  const bool rightward = rail == TrackBuilder::rail_a(TrackBuilder::segment_of(rail));
  return (s.band == kBandUp && rightward) || (s.band == kBandDown && !rightward);
}

SampleLine lay_out_line(int stations, SampleRandom& random) {
  assert(stations >= kMinSampleStations && stations <= kMaxSampleStations);
  assert(kMaxSampleStations <= station_name_limit());
  SampleLine line;
  const int branch_count = std::max(2, stations / 4);
  const int main_count = stations - branch_count;
  line.junction = main_count / 2;
  line.names.push_back({});
  for (std::string& name : station_names(stations, random)) line.names.push_back(std::move(name));

  for (int k = 0; k < main_count; ++k) {
    StationPlan st;
    st.number = k + 1;
    if (k == 0) {
      st.role = StationRole::WestTerminal;
    } else if (k == main_count - 1) {
      st.role = StationRole::EastTerminal;
    } else if (k == line.junction) {
      st.role = StationRole::Junction;
    } else if (k % 3 == 2) {
      st.role = StationRole::Loop;
    } else {
      st.role = StationRole::Simple;
    }
    switch (st.role) {
      case StationRole::WestTerminal:
      case StationRole::EastTerminal:
      case StationRole::Junction:
        st.scale = map::kMajor;
        break;
      case StationRole::Loop:
        st.scale = map::kStaffed;
        break;
      default:
        st.scale = random.chance(50) ? map::kStaffed : map::kUnstaffed;
        break;
    }
    line.main.push_back(st);
  }
  for (int m = 1; m <= branch_count; ++m) {
    StationPlan st;
    st.number = main_count + m;
    if (m == branch_count) {
      st.role = StationRole::BranchEnd;
      st.scale = map::kStaffed;
    } else if (m % 2 == 1) {
      st.role = StationRole::BranchLoop;
      st.scale = map::kStaffed;
    } else {
      st.role = StationRole::BranchHalt;
      st.scale = map::kUnstaffed;
    }
    line.branch.push_back(st);
  }

  Layout(line, random).run(main_count, branch_count);
  set_lengths(line, random);
  name_segments(line);
  return line;
}

void write_track_tables(const SampleLine& line, MapTables& map) {
  const TrackBuilder& t = line.track;
  map.rails.allocate(capacity_for(2 * t.segment_count(), map::kDefaultRailCapacity));
  map.prails.allocate(capacity_for(t.segment_count(), map::kDefaultPRailCapacity));
  map.points.allocate(capacity_for(t.point_count(), map::kDefaultPointCapacity));
  t.write(
      map.rails, map.prails, map.points, [&](int x) { return line.row_of(x); }, kYMainName);

  const int rows = static_cast<int>(line.row_starts.size());
  map.rows.allocate(capacity_for(rows, map::kDefaultRowCapacity));
  for (int r = 1; r <= rows; ++r) {
    map::Row& row = map.rows.grow_to(r);
    row.x_origin = kRowXOrigin;
    row.y_origin = (r - 1) * kRowHeight;
    // A row starts drawing at its first x, so every row begins at the left.
    row.x_shift = -line.row_starts[static_cast<std::size_t>(r - 1)];
    row.y_shift = 0;
  }

  map.station_draws.allocate(
      capacity_for(static_cast<int>(line.draws.size()), map::kDefaultStationDrawCapacity));
  int n = 0;
  for (const StationDrawPlan& d : line.draws) {
    map::StationDraw& sd = map.station_draws.grow_to(++n);
    sd.target = d.target;
    sd.row = line.row_of(d.top_left.x);
    sd.left_x = d.top_left.x;
    sd.right_x = d.bottom_right.x;
    sd.y1 = d.top_left.y;
    sd.y2 = d.bottom_right.y;
  }

  // A pair of jump marks at each row break shows where the track goes on.
  map.jumps.allocate(capacity_for(rows - 1, map::kDefaultJumpCapacity));
  for (int r = 1; r < rows; ++r) {
    map::Jump& j = map.jumps.grow_to(r);
    j.row1 = r;
    j.row2 = r + 1;
    j.x1 = j.x2 = line.row_starts[static_cast<std::size_t>(r)];
    j.y1 = j.y2 = kYDown - 20;
    j.label = format("%d", r);
  }

  write_details(map.rails, map.details);
  write_signal_set(map.signals);
  map.route_levers.allocate(map::kDefaultRouteLeverCapacity);
  map.route_buttons.allocate(map::kDefaultRouteButtonCapacity);
}

void write_station_tables(const SampleLine& line, const std::vector<int>& distances,
                          MapTables& map) {
  const int count = line.station_count();
  map.stations.allocate(capacity_for(count, map::kDefaultStationCapacity));
  map.targets.allocate(capacity_for(count, map::kDefaultTargetCapacity));
  const StationPlan& junction = line.main[static_cast<std::size_t>(line.junction)];
  const int junction_distance = distances[static_cast<std::size_t>(junction.number)];
  auto write = [&](const StationPlan& st, bool on_branch) {
    const std::string& utf8 = line.names[static_cast<std::size_t>(st.number)];
    const int along = distances[static_cast<std::size_t>(st.number)];
    map::Station& s = map.stations.grow_to(st.number);
    s.distance = ((on_branch ? junction_distance + along : along) + 5) / 10;
    s.scale = st.scale;
    s.melody_time = st.scale == map::kMajor ? 8 : st.scale == map::kStaffed ? 5 : 0;
    s.door_close_min = 3;
    s.door_close_mid = st.scale == map::kMajor ? 6 : 5;
    s.door_close_max = st.scale == map::kMajor ? 10 : 8;
    s.one_char_name = record_text(first_character(utf8), kShortBytes);
    s.short_name = record_text(utf8, kShortBytes);
    s.name = record_text(utf8, kNameBytes);
    s.melody_file = std::string(map::kDefaultMelodyFile);

    map::Target& t = map.targets.grow_to(st.number);
    t.station = st.number;
    t.scale = st.scale;
    const bool terminal = !st.terminal.empty();
    t.time_display = terminal ? map::kArrivalsAndDepartures : map::kDeparturesBothWays;
    t.distances.fill(-1);
    if (!on_branch) t.distances[0] = (along + 5) / 10;
    if (on_branch) t.distances[1] = (along + 5) / 10;
    if (st.number == junction.number) t.distances[1] = 0;
    t.one_char_name = s.one_char_name;
    t.short_name = s.short_name;
    t.name = s.name;
    t.show_track_numbers = true;
  };
  for (const StationPlan& st : line.main) write(st, false);
  for (const StationPlan& st : line.branch) write(st, true);
}

}  // namespace vosk::samples
