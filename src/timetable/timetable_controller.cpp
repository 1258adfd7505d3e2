#include "timetable/timetable_controller.h"

#include <algorithm>
#include <utility>

#include "base/sjis.h"
#include "datafiles/dia_tools.h"
#include "dia/numbering.h"
#include "dia/stop_edits.h"
#include "dia/timing_lookup.h"
#include "timetable/vertical_text.h"

namespace vosk::timetable {

namespace {

const Rgb kGridLine{160, 160, 160};
const Rgb kBlack{0, 0, 0};

std::string utf8(const std::string& cp932) { return sjis::to_utf8_lossy(cp932); }

const dia::TrainType* type_of(const datafiles::DataSet& ds, const dia::Diagram& d) {
  const auto& types = ds.classification.train_types;
  return d.train_type >= 0 && d.train_type <= types.extent() ? &types[d.train_type] : nullptr;
}

Rgb type_colour(const datafiles::DataSet& ds, const dia::Diagram& d) {
  const dia::TrainType* type = type_of(ds, d);
  return type ? Rgb{type->red, type->green, type->blue} : kBlack;
}

const char* row_mark(RowKind kind) {
  switch (kind) {
    case RowKind::Arrival:
      return "着";
    case RowKind::Track:
      return "番";
    case RowKind::Departure:
      break;
  }
  return "発";
}

bool is_header(SlotKind kind) { return kind != SlotKind::Row; }

bool inside(const Rect& r, Point p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

bool overlaps(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

TimetableController::TimetableController(datafiles::DataSet& data, TimetableFlags flags)
    : data_(data), flags_(flags) {
  font_.face = "MS Gothic";
  rebuild();
}

void TimetableController::rebuild() {
  tables_ = build_timetables(data_, display_target_, flags_.table_view());
  blocks_.clear();
  const auto& diagrams = data_.dia.diagrams;
  if (selection_.run != 0 &&
      (!diagrams.names_record(selection_.run) || !diagrams[selection_.run].in_use()))
    selection_ = {};
}

void TimetableController::set_display_target(int index) {
  const int count = data_.classification.display_targets.extent();
  if (count <= 0) return;
  display_target_ = ((index % count) + count) % count;
  rebuild();
}

void TimetableController::next_display_target() { set_display_target(display_target_ + 1); }
void TimetableController::previous_display_target() { set_display_target(display_target_ - 1); }

std::string TimetableController::caption() const {
  const auto& modes = data_.classification.display_targets;
  const int n = display_target_ + 1;
  const std::string name = modes.names_record(n) ? utf8(modes[n].name) : "";
  return english_ ? "Timatable Window " + name : "時刻表ウインドウ　" + name;
}

namespace {

dia::MapTablesRef map_ref(const datafiles::DataSet& ds) {
  return {ds.map.rails, ds.map.prails, ds.map.targets, ds.map.stations};
}

}  // namespace

int TimetableController::search_first_trains(int from, int to, dia::Progress& progress) {
  const dia::MapTablesRef map = map_ref(data_);
  const dia::TimingLookup timing(map, data_.classification,
                                 datafiles::timing_settings(data_.header));
  const auto journeys =
      dia::search_connections(data_.dia, timing, from, to, progress, flags_.colons);
  return static_cast<int>(journeys.size());
}

bool TimetableController::set_base_station(int target) {
  if (target <= 0 || target > data_.map.targets.extent()) return false;
  data_.header.dia.base_target = target;
  const dia::MapTablesRef map = map_ref(data_);
  const dia::TimingLookup timing(map, data_.classification,
                                 datafiles::timing_settings(data_.header));
  dia::compute_running_order(data_.dia, timing, target);
  rebuild();
  return true;
}

void TimetableController::set_fill(int entry, Rgb colour) {
  if (entry >= 0 && entry < 3) fills_[entry] = colour;
}

void TimetableController::select_run(int run) { selection_ = {run, 0, RowKind::Departure}; }

void TimetableController::scroll_by(int dx, int dy) {
  const Size all = extent();
  scroll_.x = std::clamp(scroll_.x + dx, 0, std::max(0, all.width - 1));
  scroll_.y = std::clamp(scroll_.y + dy, 0, std::max(0, all.height - 1));
}

// --- layout ----------------------------------------------------------------------

void TimetableController::layout(Surface& surface, Size plot) {
  surface.set_font(font_);
  margin_ = std::max(1, (5 * surface.logpixelsy() + 360) / 720);
  const int m = margin_;
  const Size time = surface.measure(flags_.seconds ? "00:00:00" : "00:00");
  char_height_ = surface.measure("発").height;
  const int row_h = time.height + 3 * m;
  const bool rows = runs_as_rows();
  rows_layout_ = rows;

  // Widths and lengths over every run of both tables.
  int widest = time.width;
  int nick_width = surface.measure("あああ").width, remark_width = 0;
  std::size_t nick_chars = 3, remark_chars = 1;
  for (const Table* t : {&tables_.down, &tables_.up})
    for (int n : t->runs) {
      const dia::Diagram& d = data_.dia.diagrams[n];
      if (flags_.train_name) widest = std::max(widest, surface.measure(utf8(d.train_number)).width);
      if (flags_.for_name)
        widest = std::max(widest, surface.measure(utf8(d.destination_text)).width);
      if (const dia::TrainType* type = type_of(data_, d); type && flags_.type)
        widest = std::max(widest, surface.measure(utf8(type->short_name)).width);
      const std::string nick = nickname_text(d.nickname, d.car_number);
      nick_chars = std::max(nick_chars, vertical_characters(nick).size());
      remark_chars = std::max(remark_chars, vertical_characters(d.remarks).size());
      if (rows) {
        nick_width = std::max(nick_width, surface.measure(utf8(nick)).width);
        remark_width = std::max(remark_width, surface.measure(utf8(d.remarks)).width);
      }
    }
  const int column_w = widest + 3 * m;
  const int mark_w = surface.measure("発").width;
  int name_w = 0;
  for (int t : tables_.down.stations)
    name_w = std::max(name_w, surface.measure(utf8(data_.map.targets[t].short_name)).width);
  const int station_w = name_w + mark_w + m + 2;

  title_height_ = flags_.title ? row_h : 0;
  blocks_.clear();
  int y = title_height_;
  for (const Table* t : {&tables_.down, &tables_.up}) {
    const bool down = t == &tables_.down;
    if (t->stations.empty() || !(down ? flags_.view_down : flags_.view_up)) continue;
    Block b;
    b.down = down;
    b.rows = rows;
    b.table = t;
    b.origin = {0, y};
    b.label = rows ? row_h : station_w;
    b.lane = rows ? row_h : column_w;
    int at = 0;
    auto add = [&](SlotKind kind, int size, int row = -1) {
      b.slots.push_back({kind, row, at, size});
      at += size;
    };
    const int header = rows ? column_w : row_h;
    if (flags_.train_name) add(SlotKind::TrainNumber, header);
    if (flags_.type) add(SlotKind::Type, header);
    if (flags_.for_name) add(SlotKind::Destination, header);
    if (rows) {
      if (flags_.nickname) add(SlotKind::Nickname, nick_width + 3 * m);
      if (flags_.remark)
        add(SlotKind::Remarks,
            std::min(remark_width + 3 * m, std::max(column_w, plot.width * 8 / 10)));
    } else {
      const int chars = char_height_;
      if (flags_.nickname) add(SlotKind::Nickname, static_cast<int>(nick_chars) * chars + 2 * m);
      if (flags_.remark)
        add(SlotKind::Remarks, std::min(static_cast<int>(remark_chars) * chars + 2 * m,
                                        std::max(row_h, plot.height * 8 / 10)));
    }
    for (std::size_t r = 0; r < t->rows.size(); ++r)
      add(SlotKind::Row, rows ? std::max(column_w, station_w + m) : row_h, static_cast<int>(r));
    b.slots_size = at;
    const int runs = static_cast<int>(t->runs.size());
    b.first_lane = std::min(window_first_, runs);
    b.lanes =
        window_count_ < 0 ? runs - b.first_lane : std::min(window_count_, runs - b.first_lane);
    blocks_.push_back(b);
    y = b.rect().bottom + row_h;
  }
}

Rect TimetableController::Block::rect() const {
  const int lanes = label + lane * this->lanes;
  return rows ? Rect{origin.x, origin.y, origin.x + slots_size, origin.y + lanes}
              : Rect{origin.x, origin.y, origin.x + lanes, origin.y + slots_size};
}

Size TimetableController::extent() const {
  Size s{0, title_height_};
  for (const Block& b : blocks_) {
    const Rect r = b.rect();
    s.width = std::max(s.width, r.right);
    s.height = std::max(s.height, r.bottom);
  }
  return s;
}

Rect TimetableController::cell_rect(const Block& b, int lane, int slot) const {
  const int lane_start = lane < 0 ? 0 : b.label + (lane - b.first_lane) * b.lane;
  const int lane_size = lane < 0 ? b.label : b.lane;
  const Slot& s = b.slots[static_cast<std::size_t>(slot)];
  if (b.rows) {
    return {b.origin.x + s.start, b.origin.y + lane_start, b.origin.x + s.start + s.size,
            b.origin.y + lane_start + lane_size};
  }
  return {b.origin.x + lane_start, b.origin.y + s.start, b.origin.x + lane_start + lane_size,
          b.origin.y + s.start + s.size};
}

void TimetableController::set_lane_window(int first, int count) {
  window_first_ = std::max(0, first);
  window_count_ = count;
  blocks_.clear();  // the next pass lays out again
}

int TimetableController::lanes_per_page(int width) const {
  if (blocks_.empty()) return 1;
  const Block& b = blocks_.front();
  return std::max(1, (width - b.label) / std::max(1, b.lane));
}

std::vector<PageBand> TimetableController::print_pages(int page_height) const {
  std::vector<int> edges{title_height_};
  std::vector<PageBand> tables;
  for (const Block& b : blocks_) {
    const Rect r = b.rect();
    tables.push_back({r.top, r.bottom});
    edges.push_back(r.top);
    edges.push_back(r.bottom);
    if (b.rows) {
      for (int lane = 0; lane <= b.lanes; ++lane) edges.push_back(r.top + b.label + lane * b.lane);
    } else {
      for (const Slot& slot : b.slots) edges.push_back(r.top + slot.start);
    }
  }
  return page_bands(std::move(edges), tables, extent().height, page_height);
}

int TimetableController::lane_count() const {
  return static_cast<int>(std::max(tables_.down.runs.size(), tables_.up.runs.size()));
}

// --- hit test, clicks and keys ---------------------------------------------------

std::optional<TableHit> TimetableController::hit_test(Point at) const {
  const Point p{at.x + scroll_.x, at.y + scroll_.y};
  for (const Block& b : blocks_) {
    if (!inside(b.rect(), p)) continue;
    const int along_lanes = b.rows ? p.y - b.origin.y : p.x - b.origin.x;
    const int along_slots = b.rows ? p.x - b.origin.x : p.y - b.origin.y;
    TableHit hit;
    hit.down = b.down;
    if (along_lanes >= b.label) {
      const int shown = (along_lanes - b.label) / b.lane;
      const std::size_t lane = static_cast<std::size_t>(b.first_lane + shown);
      if (shown >= b.lanes || lane >= b.table->runs.size()) return std::nullopt;
      hit.run = b.table->runs[lane];
    }
    for (std::size_t s = 0; s < b.slots.size(); ++s)
      if (along_slots >= b.slots[s].start && along_slots < b.slots[s].start + b.slots[s].size) {
        hit.slot = static_cast<int>(s);
        hit.kind = b.slots[s].kind;
      }
    return hit;
  }
  return std::nullopt;
}

ClickResult TimetableController::click(Point at) {
  const std::optional<TableHit> hit = hit_test(at);
  if (!hit || hit->slot < 0) return {};
  const Block* block = nullptr;
  for (const Block& b : blocks_)
    if (b.down == hit->down) block = &b;
  const Slot& slot = block->slots[static_cast<std::size_t>(hit->slot)];
  if (hit->run == 0) {
    if (slot.kind != SlotKind::Row) return {};
    return {ClickResult::StationDialog,
            block->table->rows[static_cast<std::size_t>(slot.row)].target};
  }
  if (is_header(slot.kind)) {
    select_run(hit->run);
    return {ClickResult::Information, 0, hit->run};
  }
  const TableRow& row = block->table->rows[static_cast<std::size_t>(slot.row)];
  const Selection clicked{hit->run, row.target, row.kind};
  const bool again = selection_.run == clicked.run && selection_.target == clicked.target &&
                     selection_.row == clicked.row;
  if (again && row.kind == RowKind::Track) {
    const int e = cell_event(hit->run, row.target, row.kind);
    if (e >= 0 &&
        data_.dia.diagrams[hit->run].events[static_cast<std::size_t>(e)].type == dia::kEventStop)
      return {ClickResult::TrackChange, row.target, hit->run, e};
  }
  selection_ = clicked;
  return {ClickResult::Selected, row.target, hit->run};
}

int TimetableController::cell_event(int run, int target, RowKind row) const {
  const auto& diagrams = data_.dia.diagrams;
  if (run <= 0 || run > diagrams.extent() || target <= 0) return -1;
  const dia::Diagram& d = diagrams[run];
  FirstEvents first(data_);
  first.fill(d);
  const int e = first.at(target);
  if (e < 0) return -1;
  const std::size_t next = static_cast<std::size_t>(e) + 1;
  if (row == RowKind::Departure &&
      d.events[static_cast<std::size_t>(e)].type == dia::kEventArrival && next < d.event_count() &&
      d.events[next].type == dia::kEventStop && d.events[next].rail > 0 &&
      d.events[next].rail <= data_.map.rails.extent() &&
      data_.map.rails[d.events[next].rail].target == target)
    return static_cast<int>(next);
  return e;
}

int TimetableController::neighbour_run(int run, bool larger) const {
  const auto& diagrams = data_.dia.diagrams;
  const int order = diagrams[run].running_order;
  int best = 0;
  for (int n = 1; n <= diagrams.extent(); ++n) {
    const dia::Diagram& d = diagrams[n];
    if (n == run || !d.in_use() || d.pattern_template != 0) continue;
    const int o = d.running_order;
    if (larger ? o <= order : o >= order) continue;
    if (best == 0 || (larger ? o < diagrams[best].running_order : o > diagrams[best].running_order))
      best = n;
  }
  return best;
}

KeyResult TimetableController::key(TimetableKey key, Prompt& prompt) {
  const int column = blocks_.empty() ? 40 : blocks_.front().lane;
  const int row = char_height_ + 3 * margin_;
  switch (key) {
    case TimetableKey::Tab:
      rebuild();
      return {KeyResult::Redraw};
    case TimetableKey::Escape:
      clear_selection();
      return {KeyResult::Redraw};
    case TimetableKey::Enter: {
      const int e = cell_event(selection_.run, selection_.target, selection_.row);
      if (e < 0) return {};
      return {KeyResult::EditTime, selection_.run, e};
    }
    case TimetableKey::Space: {
      const int e = cell_event(selection_.run, selection_.target, selection_.row);
      if (e < 0) return {};
      const int type = data_.dia.diagrams[selection_.run].events[static_cast<std::size_t>(e)].type;
      const dia::MapTablesRef map = map_ref(data_);
      const dia::TimingLookup timing(map, data_.classification,
                                     datafiles::timing_settings(data_.header));
      const dia::StopEdit edit =
          type == dia::kEventStop ? dia::StopEdit::Pass : dia::StopEdit::Stop;
      const dia::EditResult result = dia::apply_stop_edit(
          data_.dia, selection_.run, static_cast<std::size_t>(e), edit, timing, {}, true);
      if (!result.report(prompt)) return {KeyResult::Redraw};
      rebuild();
      return {KeyResult::DataChanged, selection_.run, e};
    }
    case TimetableKey::Left:
    case TimetableKey::Right: {
      const bool larger = key == TimetableKey::Right;
      if (selection_.run == 0) {
        scroll_by(larger ? column : -column, 0);
        return {KeyResult::Redraw};
      }
      if (const int next = neighbour_run(selection_.run, larger); next != 0) selection_.run = next;
      return {KeyResult::Redraw};
    }
    case TimetableKey::Up:
      scroll_by(0, -row);
      return {KeyResult::Redraw};
    case TimetableKey::Down:
      scroll_by(0, row);
      return {KeyResult::Redraw};
    case TimetableKey::Digit:  // the simulators' speed keys: nothing here
    case TimetableKey::Other:
      break;
  }
  return {};
}

// --- drawing ---------------------------------------------------------------------

std::optional<Rgb> TimetableController::cell_fill(int run, const Block& b, const Slot& slot) const {
  const dia::Diagram& d = data_.dia.diagrams[run];
  if (slot.kind == SlotKind::Row && d.run.search_kind >= 1 && d.run.search_kind <= 3) {
    const auto& stations = b.table->stations;
    const auto pos = [&](int t) {
      return std::find(stations.begin(), stations.end(), t) - stations.begin();
    };
    const auto from = pos(d.run.search_from_target), to = pos(d.run.search_to_target);
    const auto here = pos(b.table->rows[static_cast<std::size_t>(slot.row)].target);
    const auto size = static_cast<std::ptrdiff_t>(stations.size());
    if (from < size && to < size && here >= std::min(from, to) && here <= std::max(from, to))
      return fills_[d.run.search_kind == 1 ? 1 : 2];
  }
  if (run == selection_.run) return fills_[0];
  return std::nullopt;
}

void TimetableController::draw(Surface& surface, Point origin) {
  if (blocks_.empty() && (!tables_.down.stations.empty() || !tables_.up.stations.empty()))
    layout(surface, surface.size());
  surface.set_font(font_);
  surface.set_background(false, Rgb{255, 255, 255});
  const Point shift{origin.x - scroll_.x, origin.y - scroll_.y};
  if (flags_.title) {
    surface.set_text_align({HAlign::Left, VAlign::Top});
    surface.set_text_colour(kBlack);
    surface.text({shift.x + margin_, shift.y + margin_}, utf8(data_.header.dia.dia_title));
  }
  for (const Block& b : blocks_) draw_block(surface, b, shift);
}

void TimetableController::draw_block(Surface& s, const Block& b, Point shift) {
  const Rect visible{-shift.x, -shift.y, s.size().width - shift.x, s.size().height - shift.y};
  const int m = margin_;
  auto move = [&](Rect r) {
    return Rect{r.left + shift.x, r.top + shift.y, r.right + shift.x, r.bottom + shift.y};
  };
  auto text = [&](const Rect& r, const std::string& t, Rgb colour) {
    s.set_text_align({HAlign::Left, VAlign::Top});
    s.set_text_colour(colour);
    s.text({r.left + m, r.top + m}, t);
  };

  // The station lane: direction in the corner, station names with their
  // row marks.
  const Rect corner = b.slots.empty() ? Rect{} : move(cell_rect(b, -1, 0));
  text(corner, b.down ? "下り" : "上り", kBlack);
  for (std::size_t i = 0; i < b.slots.size(); ++i) {
    const Slot& slot = b.slots[i];
    if (slot.kind != SlotKind::Row) continue;
    const Rect r = move(cell_rect(b, -1, static_cast<int>(i)));
    const TableRow& row = b.table->rows[static_cast<std::size_t>(slot.row)];
    const bool first_of_station =
        slot.row == 0 || b.table->rows[static_cast<std::size_t>(slot.row - 1)].target != row.target;
    if (first_of_station || b.rows) text(r, utf8(data_.map.targets[row.target].short_name), kBlack);
    s.set_text_align({HAlign::Right, VAlign::Top});
    s.set_text_colour(kBlack);
    s.text({r.right - m, r.top + m}, row_mark(row.kind));
  }

  const auto& runs = b.table->runs;
  for (int lane = b.first_lane; lane < b.first_lane + b.lanes; ++lane) {
    const int n = runs[static_cast<std::size_t>(lane)];
    const int at = b.label + (lane - b.first_lane) * b.lane;
    const Rect whole = b.rows ? Rect{b.origin.x, b.origin.y + at, b.origin.x + b.slots_size,
                                     b.origin.y + at + b.lane}
                              : Rect{b.origin.x + at, b.origin.y, b.origin.x + at + b.lane,
                                     b.origin.y + b.slots_size};
    if (!overlaps(whole, visible)) continue;
    const std::vector<Cell> cells = run_cells(data_, tables_, *b.table, n, flags_.table_view());
    for (std::size_t i = 0; i < b.slots.size(); ++i) {
      const Slot& slot = b.slots[i];
      const Rect r = move(cell_rect(b, lane, static_cast<int>(i)));
      if (const std::optional<Rgb> fill = cell_fill(n, b, slot))
        s.fill_rect({r.left + 1, r.top + 1, r.right, r.bottom}, *fill);
      if (slot.kind == SlotKind::Row) {
        const Cell& c = cells[static_cast<std::size_t>(slot.row)];
        text(r, utf8(c.text), Rgb{c.colour.red, c.colour.green, c.colour.blue});
      } else {
        draw_slot_text(s, r, slot, n);
      }
    }
  }

  // Grid lines: one per lane boundary and per slot boundary.
  s.set_pen({PenStyle::Solid, 1, kGridLine});
  const Rect all = move(b.rect());
  for (int i = 0; i <= b.lanes + 1; ++i) {
    const int at = i == 0 ? 0 : b.label + (i - 1) * b.lane;
    if (b.rows) {
      s.move_to({all.left, all.top + at});
      s.line_to({all.right, all.top + at});
    } else {
      s.move_to({all.left + at, all.top});
      s.line_to({all.left + at, all.bottom});
    }
  }
  for (std::size_t i = 0; i <= b.slots.size(); ++i) {
    const int at = i < b.slots.size() ? b.slots[i].start : b.slots_size;
    if (b.rows) {
      s.move_to({all.left + at, all.top});
      s.line_to({all.left + at, all.bottom});
    } else {
      s.move_to({all.left, all.top + at});
      s.line_to({all.right, all.top + at});
    }
  }
}

void TimetableController::draw_slot_text(Surface& s, const Rect& r, const Slot& slot, int run) {
  const dia::Diagram& d = data_.dia.diagrams[run];
  const Rgb colour = type_colour(data_, d);
  std::string cp932;
  switch (slot.kind) {
    case SlotKind::TrainNumber:
      cp932 = d.train_number;
      break;
    case SlotKind::Type:
      if (const dia::TrainType* type = type_of(data_, d)) cp932 = type->short_name;
      break;
    case SlotKind::Destination:
      cp932 = d.destination_text;
      break;
    case SlotKind::Nickname:
      cp932 = nickname_text(d.nickname, d.car_number);
      break;
    case SlotKind::Remarks:
      cp932 = d.remarks;
      break;
    case SlotKind::Row:
      return;
  }
  s.set_text_colour(colour);
  const bool block_text = slot.kind == SlotKind::Nickname || slot.kind == SlotKind::Remarks;
  if (!block_text || rows_layout_) {
    // A text wider than its slot is cut at a character, not overdrawn.
    std::string shown;
    for (const std::string& c : vertical_characters(cp932)) {
      if (!shown.empty() && s.measure(shown + c).width > r.width() - 2 * margin_) break;
      shown += c;
    }
    s.set_text_align({HAlign::Left, VAlign::Top});
    s.text({r.left + margin_, r.top + margin_}, block_text ? shown : utf8(cp932));
    return;
  }
  // Top to bottom, one character a line, centred in the column; what does
  // not fit the block is left out.
  s.set_text_align({HAlign::Center, VAlign::Top});
  int y = r.top + margin_;
  const int x = (r.left + r.right) / 2;
  for (const std::string& c : vertical_characters(cp932)) {
    if (y + char_height_ > r.bottom) break;
    s.text({x, y}, c);
    y += char_height_;
  }
}

}  // namespace vosk::timetable
