#include "panel/row_layout.h"

#include <algorithm>
#include <climits>
#include <map>

#include "base/surface.h"
#include "panel/row_items.h"

namespace vosk::panel {
namespace {

struct Span {
  int lo = 0;
  int hi = 0;
};

Span span_of(int a, int b) { return {std::min(a, b), std::max(a, b)}; }

bool in_row(int item_row, int row) { return item_row != 0 && (row == 0 || item_row == row); }

// Where a two-ended item goes when its row is split at s: -1 row r, +1 row
// r + 1, 0 stays. `n` and `b` are a rail's next and back end x.
int split_side(int n, int b, int s) {
  if (b < s || (n < s && b == s)) return -1;
  if (n >= s && b >= s && (n > s || b > s)) return 1;
  return 0;
}

void remove_empty_end_rows(MapTables& map) {
  for (;;) {
    const int rows = map.rows.extent();
    if (rows <= 1) return;
    std::vector<int> count(static_cast<std::size_t>(rows) + 2, 0);
    for_each_row_field(map, [&](const int& row) {
      if (row >= 1 && row <= rows) ++count[static_cast<std::size_t>(row)];
    });
    if (count[static_cast<std::size_t>(rows)] == 0) {
      map.rows.shrink_to(rows - 1);
    } else if (count[1] == 0) {
      for (int r = 1; r < rows; ++r) map.rows[r] = map.rows[r + 1];
      map.rows.shrink_to(rows - 1);
      for_each_row_field(map, [](int& row) {
        if (row >= 2) --row;
      });
    } else {
      return;
    }
  }
}

// The pixel column of a row position at a horizontal scale.
int column_of(const map::Row& row, int x, int scale_x) {
  return mul_div(row.panel_x(x), scale_x, kUnitScale);
}

// Samples (column, y) of one row's rails and station drawings, y in panel
// units (row origin and shift added).
std::map<int, std::pair<int, int>> row_profile(const MapTables& map, int r, int scale_x) {
  std::map<int, std::pair<int, int>> profile;  // column -> (smallest y, largest y)
  const map::Row& row = map.rows[r];
  auto add = [&](int x, int y) {
    const int c = column_of(row, x, scale_x);
    const int py = row.panel_y(y);
    auto [it, fresh] = profile.try_emplace(c, py, py);
    if (!fresh) {
      it->second.first = std::min(it->second.first, py);
      it->second.second = std::max(it->second.second, py);
    }
  };
  for (int n = 1; n <= map.rails.extent(); ++n) {
    const map::Rail& rail = map.rails[n];
    if (rail.row != r) continue;
    add(rail.row_pos_x_next, rail.row_pos_y_next);
    add(rail.row_pos_x_back, rail.row_pos_y_back);
  }
  for (int n = 1; n <= map.station_draws.extent(); ++n) {
    const map::StationDraw& d = map.station_draws[n];
    if (d.row != r) continue;
    for (int x : {d.left_x, d.right_x}) {
      add(x, d.y1);
      add(x, d.y2);
    }
  }
  return profile;
}

// The value of a profile at a column: the column's own value, else the
// nearer-valued of its neighbours left and right (`pick` chooses).
template <class Pick, class Get>
int profile_at(const std::map<int, std::pair<int, int>>& p, int c, Get get, Pick pick) {
  auto right = p.lower_bound(c);
  if (right != p.end() && right->first == c) return get(right->second);
  if (right == p.begin()) return get(right->second);
  auto left = std::prev(right);
  if (right == p.end()) return get(left->second);
  return pick(get(left->second), get(right->second));
}

}  // namespace

SplitSearch::SplitSearch(const MapTables& map, int row) {
  std::vector<int> los, his;
  auto add_span = [&](int a, int b) {
    Span s = span_of(a, b);
    if (s.hi - s.lo >= 2) {
      los.push_back(s.lo);
      his.push_back(s.hi);
    }
  };
  for (int n = 1; n <= map.rails.extent(); ++n) {
    const map::Rail& r = map.rails[n];
    if (!in_row(r.row, row)) continue;
    positions_.push_back(r.row_pos_x_next);
    positions_.push_back(r.row_pos_x_back);
    add_span(r.row_pos_x_next, r.row_pos_x_back);
  }
  for (int n = 1; n <= map.station_draws.extent(); ++n) {
    const map::StationDraw& d = map.station_draws[n];
    if (in_row(d.row, row)) add_span(d.left_x, d.right_x);
  }
  std::sort(positions_.begin(), positions_.end());
  positions_.erase(std::unique(positions_.begin(), positions_.end()), positions_.end());
  std::sort(los.begin(), los.end());
  std::sort(his.begin(), his.end());
  // Spans holding x strictly: those starting left of x less those that end
  // at or left of x (which start left of it too).
  std::erase_if(positions_, [&](int x) {
    auto starting = std::lower_bound(los.begin(), los.end(), x) - los.begin();
    auto ended = std::upper_bound(his.begin(), his.end(), x) - his.begin();
    return starting - ended > 0;
  });
}

int SplitSearch::below(int left, int limit) const {
  auto it = std::lower_bound(positions_.begin(), positions_.end(), limit);
  if (it == positions_.begin()) return left;
  --it;
  return *it > left ? *it : left;
}

std::optional<int> SplitSearch::above(int from, int limit) const {
  auto it = std::upper_bound(positions_.begin(), positions_.end(), from);
  if (it == positions_.end() || *it >= limit) return std::nullopt;
  return *it;
}

std::optional<int> SplitSearch::nearest(int x, int left, int right) const {
  // A position at x itself is the nearest of all.
  if (std::binary_search(positions_.begin(), positions_.end(), x) && x > left && x < right)
    return x;
  int down = below(left, std::min(x, right));
  std::optional<int> up = above(std::max(x, left), right);
  if (down == left) return up;
  if (!up) return down;
  return (*up - x <= x - down) ? *up : down;
}

void split_row(MapTables& map, int r, int s) {
  if (r < 1 || r > map.rows.extent()) return;
  bool into_next = false;
  auto place = [&](int& row, int side) {
    if (side < 0) row = r;
    if (side > 0) {
      row = r + 1;
      into_next = true;
    }
  };
  for_each_span_item(map, [&](int& row, int n, int b) {
    if (row == r || row == r + 1) place(row, split_side(n, b, s));
  });
  for_each_spot_item(map, [&](int& row, int x) {
    if (row == r || row == r + 1) place(row, x < s ? -1 : 1);
  });
  if (into_next && map.rows.extent() < r + 1) {
    const map::Row copy = map.rows[r];
    map.rows.grow_to(r + 1) = copy;
  }
  if (map.rows.extent() >= r + 1) map.rows[r + 1].x_shift = -s;
  remove_empty_end_rows(map);
}

void clear_rows(MapTables& map) {
  if (map.rows.extent() < 1) return;
  for_each_row_field(map, [](int& row) {
    if (row != 0) row = 1;
  });
  map.rows.shrink_to(1);
}

int split_width_units(int window_width_px, int scale_x) {
  const int units = scale_x > 0 ? mul_div(window_width_px, kUnitScale, scale_x) : window_width_px;
  return std::max(1, units - 80);
}

void auto_rows(MapTables& map, int width_units, int scale_x) {
  if (map.rows.extent() < 1) return;
  clear_rows(map);
  int last_back = INT_MIN;
  for (int n = 1; n <= map.rails.extent(); ++n)
    if (map.rails[n].row != 0) last_back = std::max(last_back, map.rails[n].row_pos_x_back);

  // The valid positions do not change while the row is split: every item
  // stays at its x, only its row changes.
  const SplitSearch search(map, 1);
  int row = 1;
  int split = 0;
  while (split < last_back) {
    // The window widens one unit at a time until a position right of the
    // split turns up; the first valid position right of it is where that
    // ends. When there is none at all the row is the last.
    long long limit = static_cast<long long>(split) + width_units;
    int next = search.below(split, static_cast<int>(std::min<long long>(limit, INT_MAX)));
    if (next <= split) {
      std::optional<int> first = search.above(split, INT_MAX);
      if (!first) break;
      next = *first;
    }
    split_row(map, row, next);
    split = next;
    row = std::min(row + 1, map.rows.extent());
  }
  for (int r = 1; r <= map.rows.extent(); ++r) map.rows[r].x_origin = kAutoRowXOrigin;
  adjust_span(map, scale_x);
}

void adjust_span(MapTables& map, int scale_x) {
  auto smaller = [](int a, int b) { return std::min(a, b); };
  auto larger = [](int a, int b) { return std::max(a, b); };
  auto top = [](const std::pair<int, int>& v) { return v.first; };
  auto bottom = [](const std::pair<int, int>& v) { return v.second; };

  // The row above row 1 is the window's top edge.
  std::map<int, std::pair<int, int>> above{{0, {0, 0}}};
  for (int r = 1; r <= map.rows.extent(); ++r) {
    std::map<int, std::pair<int, int>> here = row_profile(map, r, scale_x);
    if (here.empty()) continue;  // nothing to place; the next row keeps to the last one
    // Both profiles are constant between neighbouring sample columns, so
    // the columns with samples and the ones just right of them are enough.
    long long gap = LLONG_MAX;
    auto try_column = [&](int c) {
      long long d = static_cast<long long>(profile_at(here, c, top, smaller)) -
                    profile_at(above, c, bottom, larger);
      gap = std::min(gap, d);
    };
    for (const auto& [c, v] : here) {
      try_column(c);
      if (c < INT_MAX) try_column(c + 1);
    }
    for (const auto& [c, v] : above) {
      try_column(c);
      if (c < INT_MAX) try_column(c + 1);
    }
    map::Row& row = map.rows[r];
    row.y_origin = static_cast<int>(std::clamp(row.y_origin - gap, static_cast<long long>(INT_MIN),
                                               static_cast<long long>(INT_MAX)));
    above = row_profile(map, r, scale_x);
  }
}

std::optional<RowBounds> row_bounds(const MapTables& map, int row) {
  std::optional<RowBounds> b;
  for (int n = 1; n <= map.rails.extent(); ++n) {
    const map::Rail& r = map.rails[n];
    if (r.row != row) continue;
    Span s = span_of(r.row_pos_x_next, r.row_pos_x_back);
    if (!b) b = RowBounds{s.lo, s.hi};
    b->left = std::min(b->left, s.lo);
    b->right = std::max(b->right, s.hi);
  }
  return b;
}

}  // namespace vosk::panel
