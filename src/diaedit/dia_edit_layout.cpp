#include "diaedit/dia_edit_layout.h"

#include <algorithm>
#include <cstdio>

#include "base/sjis.h"
#include "dia/coupling_relations.h"
#include "dia/dia_operations.h"
#include "dia/working_chains.h"
#include "diaedit/run_operations.h"

namespace vosk::diaedit {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{192, 192, 192};
constexpr Rgb kLineGrey{128, 128, 128};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kGreen{0, 128, 0};
constexpr Rgb kCyan{0, 255, 255};

constexpr const char* kNoSelection[] = {
    "現在ダイヤ編集モードになっています。", "編集するダイヤを選択して下さい。",
    "ダイヤ編集モードを終了するには、", "シミュレートをスタートするか、",
    "このウインドウを閉じて下さい。"};

// The six action cells in column order, with the command each stands for.
struct ActionColumn {
  const char* text;
  CellAction action;
  StopCommand command;
};
constexpr ActionColumn kActionColumns[] = {
    {"通", CellAction::Pass, StopCommand::Pass},
    {"発", CellAction::Stop, StopCommand::StopStandard},
    {"着", CellAction::ArrivalDeparture, StopCommand::StopAtDeparture},
    {"着", CellAction::StopNoPassengers, StopCommand::StopNoPassengers},
    {"終", CellAction::Terminate, StopCommand::Terminate},
};

std::string utf8(const std::string& cp932) { return sjis::to_utf8_lossy(cp932); }

bool is_point(int type) { return type == dia::kEventPointBoth || type == dia::kEventPoint; }

class Builder {
 public:
  Builder(const datafiles::DataSet& data, const LayoutInput& in, Surface& s)
      : data_(data), dia_(data.dia), in_(in), s_(s) {
    s_.set_font(in.font);
    row_ = std::max(s_.measure("国").height, font_pixels_for_step(1)) + 4;
    out_.row_height = row_;
  }

  Layout run() {
    const int n = in_.diagram;
    if (!dia_.diagrams.names_record(n) || !dia_.diagrams[n].in_use()) {
      no_selection();
      return std::move(out_);
    }
    measure_columns(dia_.diagrams[n]);
    const int top = -in_.scroll;
    int y = top;
    if (dia_.diagrams[n].pattern_template != 0) {
      fill({0, 0, in_.client.width, in_.client.height}, kWhite);
      out_.edited_top = y;
      y = header_line(n, y + 2, true) + 2;
      y = event_table(n, y, true);
      out_.edited_bottom = y;
      out_.content_height = y - top;
      return std::move(out_);
    }
    fill({0, 0, in_.client.width, in_.client.height}, kGrey);
    out_.previous_run = dia::previous_working(dia_, n, nullptr);
    y += 2;
    if (out_.previous_run != 0) y = summary_block(out_.previous_run, y);
    line(y++, kLineGrey);
    out_.edited_top = y;
    const std::size_t ground = out_.paints.size();
    y += 4;
    y = header_line(n, y, false);
    const dia::Diagram& d = dia_.diagrams[n];
    const bool pattern_view = d.applied_pattern != 0 && !in_.detail_dia;
    if (pattern_view) y = pattern_line(y);
    y = event_table(n, y, !pattern_view && d.applied_pattern == 0);
    y = coupling_lines(n, y);
    y += 4;
    out_.edited_bottom = y;
    out_.paints.insert(out_.paints.begin() + static_cast<std::ptrdiff_t>(ground),
                       Paint{Paint::Fill, {0, out_.edited_top, in_.client.width, y}, {}, kWhite, {}});
    line(y++, kLineGrey);
    y += 2;
    // The following runs of the working, as far as the window shows them.
    int next = d.next_working;
    for (int guard = 0; next != 0 && guard < 1000 && y < in_.client.height; ++guard) {
      if (!dia_.diagrams.names_record(next) || !dia_.diagrams[next].in_use()) break;
      y = summary_block(next, y);
      next = dia_.diagrams[next].next_working;
    }
    out_.content_height = y - top;
    return std::move(out_);
  }

 private:
  void fill(const Rect& r, Rgb c) { out_.paints.push_back({Paint::Fill, r, {}, c, {}}); }
  void line(int y, Rgb c) { out_.paints.push_back({Paint::Line, {0, y, in_.client.width, y}, {}, c, {}}); }
  int text(int x, int y, const std::string& t, Rgb c) {
    out_.paints.push_back({Paint::Text, {}, {x, y + 2}, c, t});
    return s_.measure(t).width;
  }
  void cell(const Rect& r, CellAction a, int event, int diagram = 0) {
    out_.cells.push_back({r, a, diagram, event});
  }

  void no_selection() {
    fill({0, 0, in_.client.width, in_.client.height}, kWhite);
    int y = -in_.scroll;
    for (int k = 0; k < 5; ++k) {
      out_.paints.push_back({Paint::Text, {}, {0, y}, kBlack, kNoSelection[k]});
      y += s_.measure(kNoSelection[k]).height + (k == 1 ? 24 : 4);
    }
    out_.content_height = y + in_.scroll;
  }

  std::string rail_name(int rail) const {
    const auto& rails = data_.map.rails;
    if (!rails.names_record(rail)) return std::to_string(rail);
    const map::Rail& r = rails[rail];
    return utf8(!r.name.empty() ? r.name : r.short_name);
  }

  std::string unit_name(int diagram) const {
    const int u = dia_.diagrams[diagram].run.owning_unit;
    return dia_.units.names_record(u) ? utf8(dia_.units[u].name) : std::string();
  }

  std::string run_with_unit(int diagram) const {
    return utf8(dia_.diagrams[diagram].train_number) + "（" + unit_name(diagram) + "編成）";
  }

  void measure_columns(const dia::Diagram& d) {
    // The rail column is eight blanks wide at least, and as wide as the
    // longest rail name of the run so that no name runs into the times.
    int rail_width = s_.measure("        ").width;
    for (std::size_t i = 0; i < d.event_count(); ++i)
      rail_width = std::max(rail_width, s_.measure(rail_name(d.events[i].rail)).width);
    const int widths[] = {rail_width,          s_.measure("00:00:00").width,
                          s_.measure("入力").width, s_.measure("発").width};
    int x = 2;
    for (int w : widths) {
      out_.column_x.push_back(x);
      x += w + 5;
    }
    for (const char* t : {"通", "発", "着", "着", "終", "基"}) {
      out_.column_x.push_back(x);
      x += s_.measure(t).width + 2;
    }
    out_.column_x.push_back(x);
  }

  // Train number, type, destination, crew and pattern, each its width + 4 on.
  int header_line(int n, int y, bool template_header) {
    const dia::Diagram& d = dia_.diagrams[n];
    const auto& types = data_.classification.train_types;
    const auto& patterns = data_.classification.patterns;
    int x = 2;
    if (template_header) {
      const std::string name =
          patterns.names_record(d.pattern_template) ? utf8(patterns[d.pattern_template].name) : "";
      x += text(x, y, name, kBlack) + 4;
    } else {
      x += text(x, y, utf8(d.train_number), kBlack) + 4;
    }
    if (types.contains(d.train_type)) {
      const dia::TrainType& t = types[d.train_type];
      x += text(x, y, utf8(t.short_name), Rgb{t.red, t.green, t.blue}) + 4;
    }
    if (!template_header) x += text(x, y, utf8(d.destination_text), kBlack) + 4;
    if (data_.header.wdia_mode == 0) {
      char crew[32];
      std::snprintf(crew, sizeof crew, "車掌%d人", d.crew);
      x += text(x, y, d.crew == 0 ? std::string("ワンマン") : std::string(crew), kBlack) + 4;
    }
    if (!template_header) {
      std::string label = "<パターン未設定>";
      Rgb colour = kBlack;
      if (d.applied_pattern != 0) {
        const std::string name =
            patterns.names_record(d.applied_pattern) ? utf8(patterns[d.applied_pattern].name) : "";
        label = "<" + name + ">";
        if (d.pattern_changed != 0) colour = kLineGrey;
      }
      const int w = text(x, y, label, colour);
      if (n == in_.diagram) cell({x, y, x + w, y + row_}, CellAction::PatternInfo, -1);
    }
    return y + row_;
  }

  int pattern_line(int y) {
    int x = 2;
    x += text(x, y, "（パターン適用中）", kBlack) + 8;
    const std::pair<const char*, CellAction> items[] = {{"詳細", CellAction::PatternDetails},
                                                        {"切替", CellAction::PatternSwitch},
                                                        {"解除", CellAction::PatternRelease}};
    for (const auto& [label, action] : items) {
      const int w = s_.measure(label).width + 8;
      fill({x, y + 1, x + w, y + row_ - 1}, kGrey);
      text(x + 4, y, label, kBlack);
      cell({x, y + 1, x + w, y + row_ - 1}, action, -1);
      x += w + 4;
    }
    return y + row_;
  }

  int event_table(int n, int y, bool action_cells) {
    out_.table_top = y;
    const dia::Diagram& d = dia_.diagrams[n];
    const bool editable = n == in_.diagram;
    const bool pattern_view = d.applied_pattern != 0 && !in_.detail_dia;
    const std::size_t count = d.event_count();
    const auto& cx = out_.column_x;
    for (std::size_t i = 0; i < count; ++i) {
      const dia::DiaEvent& e = d.events[i];
      if (e.type == dia::kEventPoint && !in_.detail_time) continue;
      out_.event_rows.emplace_back(i, y);
      const bool conflict = editable && in_.conflict_rails &&
                            std::find(in_.conflict_rails->begin(), in_.conflict_rails->end(),
                                      e.rail) != in_.conflict_rails->end();
      text(cx[0], y, rail_name(e.rail), conflict ? kRed : kBlack);
      const bool point = is_point(e.type);
      const bool missing = e.time == 0 && i > 0 && data_.header.wdia_mode == 0;
      if (point && !in_.detail_time) {
        text(cx[1], y, "ポイント", kBlack);
        if (editable) cell({cx[1], y, cx[2], y + row_}, CellAction::TimeCell, static_cast<int>(i));
      } else {
        text(cx[1], y, time_text(e.time), missing ? kRed : kBlack);
        if (editable && dia::is_departure(e.type))
          cell({cx[1], y, cx[2], y + row_}, CellAction::TimeCell, static_cast<int>(i));
      }
      if (point) {
        text(cx[2], y, " " + point_name(e.rail) + " ", kBlack);
      } else if ((dia::is_departure(e.type) || e.type == dia::kEventArrival) &&
                 (!pattern_view || i == 0)) {
        // A run made from its pattern takes only a new start time: the
        // pattern is applied again from there.
        text(cx[2], y, "入力", kBlack);
        if (editable)
          cell({cx[2], y, cx[3], y + row_}, CellAction::TimeInput, static_cast<int>(i));
      }
      mark(d, i, cx[3], y);
      if (action_cells && editable && !point) {
        for (std::size_t k = 0; k < std::size(kActionColumns); ++k) {
          if (!stop_command_applies(d, i, kActionColumns[k].command)) continue;
          action_cell(cx[4 + k], cx[5 + k], y, kActionColumns[k].text, kActionColumns[k].action, i);
        }
        action_cell(cx[9], cx[10], y, "基", CellAction::EventDetail, i);
      }
      y += row_;
    }
    return y;
  }

  void action_cell(int left, int right, int y, const char* label, CellAction action,
                   std::size_t i) {
    const Rect r{left, y + 1, right - 1, y + row_ - 1};
    fill(r, kGrey);
    text(left, y, label, kBlack);
    cell(r, action, static_cast<int>(i));
  }

  std::string point_name(int rail) const {
    const auto& rails = data_.map.rails;
    const auto& prails = data_.map.prails;
    const auto& points = data_.map.points;
    if (!rails.names_record(rail)) return {};
    const int pack = rails[rail].l_pack;
    if (!prails.names_record(pack)) return {};
    const int p = prails[pack].point;
    if (!points.names_record(p)) return {};
    // Points are known by their key on the panel; a point without one by its number.
    return !points[p].key.empty() ? utf8(points[p].key) : std::to_string(p);
  }

  void mark(const dia::Diagram& d, std::size_t i, int x, int y) {
    const std::vector<dia::DiaEvent>& e = d.events;
    switch (e[i].type) {
      case dia::kEventStop:
        text(x, y, "発", i == 0 ? kMagenta : kBlue);
        break;
      case dia::kEventArrival: {
        Rgb c = kBlue;
        if (i + 1 == d.event_count()) {
          c = kRed;
        } else if (dia::is_departure(e[i + 1].type) && e[i + 1].rail == e[i].rail) {
          c = kGreen;
        }
        text(x, y, "着", c);
        break;
      }
      case dia::kEventPass:
        text(x, y, "通", kCyan);
        break;
      case dia::kEventStopNoSearch:
        text(x, y, "運", kGreen);
        break;
      default:
        break;
    }
  }

  int summary_block(int m, int y) {
    y = header_line(m, y, false);
    const dia::Diagram& d = dia_.diagrams[m];
    const std::size_t count = d.event_count();
    if (count > 0) {
      const dia::DiaEvent& first = d.events.front();
      const dia::DiaEvent& last = d.events[count - 1];
      int x = 2;
      x += text(x, y, rail_name(first.rail), kBlack) + 8;
      x += text(x, y, time_text(first.time), kBlack) + 8;
      x += text(x, y, "→", kBlack) + 8;
      x += text(x, y, rail_name(last.rail), kBlack) + 8;
      text(x, y, time_text(last.time), kBlack);
    }
    return y + row_ + 2;
  }

  int coupling_lines(int n, int y) {
    const std::vector<int> chain = dia::coupling_chain(dia_, n);
    if (chain.size() > 1) {
      int x = 2;
      x += text(x, y, "併結運転：", kBlack);
      for (std::size_t k = 0; k < chain.size(); ++k) {
        if (k > 0) x += text(x, y, "＋", kBlack);
        const int w = text(x, y, run_with_unit(chain[k]), kBlack);
        if (chain[k] != n) cell({x, y, x + w, y + row_}, CellAction::CoupledRun, -1, chain[k]);
        x += w;
      }
      y += row_;
    }
    const dia::CouplingRelations relations(dia_);
    const int direction = dia_.diagrams[n].direction;
    auto same_way = [&](int other) { return dia_.diagrams[other].direction == direction; };
    auto relation_line = [&](const char* kind, bool front, int other) {
      if (!dia_.diagrams.names_record(other) || !dia_.diagrams[other].in_use()) return;
      std::string label = std::string(kind) + (front ? "　前方：" : "　後方：");
      const int x = 2 + text(2, y, label, kBlack);
      const int w = text(x, y, run_with_unit(other), kBlack);
      cell({x, y, x + w, y + row_}, CellAction::CoupledRun, -1, other);
      y += row_;
    };
    // A partner met running the same way stands in front; after a turnback
    // the partner is behind.
    if (int p = relations.merge_partner(n); p != 0) relation_line("併合", same_way(p), p);
    for (int p : relations.merged_by(n)) relation_line("併合", !same_way(p), p);
    if (int p = relations.split_partner(n); p != 0) relation_line("分割", same_way(p), p);
    for (int p : relations.split_by(n)) relation_line("分割", !same_way(p), p);
    return y;
  }

  const datafiles::DataSet& data_;
  const dia::DiaTables& dia_;
  const LayoutInput& in_;
  Surface& s_;
  int row_ = 18;
  Layout out_;
};

}  // namespace

int font_pixels_for_step(int step) { return 10 + 2 * (std::clamp(step, 1, 5) - 1); }

Rgb grey_ground() { return kGrey; }

std::string time_text(int t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%2d:%02d:%02d", t / 3600, t / 60 % 60, t % 60);
  return buf;
}

Layout lay_out(const datafiles::DataSet& data, const LayoutInput& input, Surface& surface) {
  return Builder(data, input, surface).run();
}

void paint(const Layout& layout, const Font& font, Surface& surface) {
  surface.set_font(font);
  surface.set_background(false, kWhite);
  surface.set_text_align({HAlign::Left, VAlign::Top});
  for (const Paint& p : layout.paints) {
    switch (p.kind) {
      case Paint::Fill:
        surface.fill_rect(p.rect, p.colour);
        break;
      case Paint::Line:
        surface.set_pen({PenStyle::Solid, 1, p.colour});
        surface.line({p.rect.left, p.rect.top}, {p.rect.right, p.rect.top});
        break;
      case Paint::Text:
        surface.set_text_colour(p.colour);
        surface.text(p.at, p.text);
        break;
    }
  }
}

const Cell* cell_at(const Layout& layout, Point p) {
  for (const Cell& c : layout.cells) {
    if (p.x >= c.rect.left && p.x < c.rect.right && p.y >= c.rect.top && p.y < c.rect.bottom)
      return &c;
  }
  return nullptr;
}

}  // namespace vosk::diaedit
