// The drawing pass of the train graph: grid, station lines, the planned
// dia, the masks beside the plot, the title, time and station labels.
#include <algorithm>

#include "base/format.h"
#include "base/sjis.h"
#include "graph/diagram_filter.h"
#include "graph/diagram_path.h"
#include "graph/graph_controller.h"
#include "graph/run_label.h"
#include "graph/run_timing.h"

namespace vosk::graph {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr int kCoupledShift = 3;  // pixels per run coupled behind
// Runs whose times lie this far outside the view can still reach into it
// through their shift and thickness; beyond it they draw only masked strokes.
constexpr int kCullMargin = 64;

// Follows a chain of diagram links, at most as many steps as there are
// diagrams so that a damaged cycle cannot hang the drawing.
template <class Visit>
void walk_chain(const dia::DiagramTable& diagrams, int from, int dia::Diagram::*link,
                Visit&& visit) {
  int n = diagrams.names_record(from) ? diagrams[from].*link : 0;
  for (int steps = 0; n != 0 && diagrams.names_record(n) && steps < diagrams.extent(); ++steps) {
    if (!visit(n)) return;
    n = diagrams[n].*link;
  }
}

}  // namespace

const shell::LineStyle& GraphController::station_entry(int target) const {
  const bool main = data_.map.targets[target].scale == 3;
  int entry = main ? kMainStationLine : kOrdinaryStationLine;
  if (mode_ == GraphMode::DisplayTarget) {
    const bool chosen = target == selected_target_;
    entry = chosen ? (main ? kMainStationSelected : kOrdinaryStationSelected)
                   : (main ? kMainStationUnselected : kOrdinaryStationUnselected);
  }
  return settings_.line_styles[static_cast<std::size_t>(entry)];
}

void GraphController::styled_line(Surface& s, int entry, Point a, Point b) const {
  const shell::LineStyle& e = settings_.line_styles[static_cast<std::size_t>(entry)];
  draw_styled_line(s, a, b, pen_style_from_int(e.pen_style), Rgb{e.red, e.green, e.blue},
                   e.point_width);
}

void GraphController::draw_grid(Surface& s, const TimeAxis& axis) {
  const int top = header_height_ + plot_.top;
  const auto pass = [&](int step, int entry) {
    if (step <= 0) return;
    for (int t = 0; t <= kLastGraphTime; t += step) {
      const int x = axis.x(t);
      if (axis.visible(x)) styled_line(s, entry, {x, top}, {x, plot_.bottom});
    }
  };
  pass(grid_.minor, kMinorTimeLine);
  pass(grid_.major, kMajorTimeLine);
}

void GraphController::draw_station_lines(Surface& s, bool in_name_column) {
  const auto& targets = data_.map.targets;
  const int plot_left = plot_.left + name_column_;
  for (int n = 1; n <= targets.extent(); ++n) {
    const TargetRow* row = vertical_.row(n);
    if (row == nullptr || row->y == 0) continue;
    const shell::LineStyle& e = station_entry(n);
    const auto line = [&](int x1, int x2, int y) {
      draw_styled_line(s, {x1, y}, {x2, y}, pen_style_from_int(e.pen_style),
                       Rgb{e.red, e.green, e.blue}, e.point_width);
    };
    if (in_name_column) {
      line(plot_.left, plot_left, row->y);
      if (targets[n].station != 0 || mode_ == GraphMode::DisplayTarget)
        s.text({plot_.left, row->y}, sjis::to_utf8_lossy(targets[n].short_name));
    } else if (row->track_ys.empty()) {
      line(plot_left, plot_.right, row->y);
    } else {
      for (int y : row->track_ys) line(plot_left, plot_.right, y);
    }
  }
}

void GraphController::draw_planned_dia(Surface& s, const TimeAxis& axis) {
  const auto& diagrams = data_.dia.diagrams;
  const auto& types = data_.classification.train_types;
  const RunTiming timing(data_);
  const PathContext ctx{axis, vertical_, data_.map.rails, timing.lookup, settings_.view.view_pass,
                        false};
  const ViewFlags& view = settings_.view;
  const bool right_down_map = right_down();
  const int first_time = axis.time_at(axis.plot_left - kCullMargin);
  const int last_time = axis.time_at(axis.right + kCullMargin);
  const int selected_unit =
      diagrams.names_record(selected_) ? diagrams[selected_].run.owning_unit : 0;
  const Font label_font = [&] {
    Font f = graph_font();
    f.height = f.height * 12 / 10;
    return f;
  }();
  const Font plain_font = graph_font();
  // Labels stand on their segment, from its start.
  s.set_text_align({HAlign::Left, VAlign::Bottom});

  for (int n = 1; n <= diagrams.extent(); ++n) {
    const dia::Diagram& d = diagrams[n];
    if (!shows_diagram(d, view, right_down_map)) continue;
    const TimeBounds bounds = diagram_time_bounds(d);
    if (!bounds.any || bounds.last < first_time || bounds.first > last_time) continue;

    dia::TrainType type;
    type.line_width = 500;
    if (types.contains(d.train_type)) type = types[d.train_type];
    PenStyle style = pen_style_from_int(type.line_style);
    int thickness = points_to_pixels(type.line_width, s.logpixelsy());
    if (selected_ != 0) {
      bool like_selected = n == selected_;
      if (!like_selected && !view.view_double) {
        walk_chain(diagrams, n, &dia::Diagram::coupled_ahead, [&](int k) {
          like_selected = k == selected_;
          return !like_selected;
        });
      }
      if (like_selected) {
        if (dragging_ || stop_drag_) {
          style = PenStyle::DashDot;
        } else {
          thickness = thickness <= 1 ? 2 : thickness * 2;
        }
      } else {
        bool same_stock = selected_unit != 0 && d.run.owning_unit == selected_unit;
        if (!same_stock && !view.view_double && selected_unit != 0) {
          walk_chain(diagrams, n, &dia::Diagram::coupled_ahead, [&](int k) {
            same_stock = diagrams[k].run.owning_unit == selected_unit;
            return !same_stock;
          });
        }
        if (!same_stock) style = PenStyle::Dot;
      }
    }
    int shift = 0;
    if (view.view_double) {
      walk_chain(diagrams, n, &dia::Diagram::coupled_behind, [&](int) {
        shift += kCoupledShift;
        return true;
      });
    }

    const Rgb colour{type.red, type.green, type.blue};
    s.set_pen(Pen{style, 1, colour});
    LabelAnchor anchor(s, axis.plot_left);
    if (!trace_diagram(ctx, d, {shift, 0}, anchor)) continue;
    SurfaceSink plain(s);
    for (int i = 0; i < thickness; ++i) {
      for (int j = 0; j < thickness; ++j) trace_diagram(ctx, d, {shift + i, j}, plain);
    }

    if (anchor.found() && d.coupled_behind == 0) {
      const std::string text = run_label_text(d, view, data_.classification, data_.map.targets);
      if (!text.empty()) {
        Font f = label_font;
        f.escapement = label_escapement(anchor.start(), anchor.end());
        s.set_font(f);
        s.set_text_colour(colour);
        s.text(anchor.start(), sjis::to_utf8_lossy(text));
      }
    }
  }
  s.set_font(plain_font);
}

void GraphController::draw_titles(Surface& s, const TimeAxis& axis, const DrawPage& page) {
  s.set_text_colour(kBlack);
  if (settings_.view.view_title) {
    std::string title = sjis::to_utf8_lossy(data_.header.dia.dia_title);
    const ViewFlags& v = settings_.view;
    if (v.view_down != v.view_up) title += v.view_down ? "　下り" : "　上り";
    if (page.printing && page.count > 1) title += format("　%d／%d", page.index + 1, page.count);
    s.set_text_align({HAlign::Left, VAlign::Top});
    s.text({plot_.left, plot_.top}, title);
  }
  for (int t = 0; grid_.major > 0 && t <= kLastGraphTime; t += grid_.major) {
    const int x = axis.x(t);
    if (!axis.visible(x)) continue;
    const std::string text = format("%2d:%02d", t / 3600, t / 60 % 60);
    // Centred on its line; a label at either end of the plot would run into
    // the name of the top station or off the picture, so it is kept inside.
    const int half = s.measure(text).width / 2;
    if (x - half < axis.plot_left) {
      s.set_text_align({HAlign::Left, VAlign::Bottom});
      s.text({axis.plot_left, header_height_ + plot_.top}, text);
    } else if (x + half > axis.right) {
      s.set_text_align({HAlign::Right, VAlign::Bottom});
      s.text({axis.right, header_height_ + plot_.top}, text);
    } else {
      s.set_text_align({HAlign::Center, VAlign::Bottom});
      s.text({x, header_height_ + plot_.top}, text);
    }
  }
}

void GraphController::draw(Surface& surface, const DrawPage& page) {
  if (data_.map.targets.extent() == 0 && data_.map.rails.extent() == 0) return;  // no map
  layout(surface);
  const TimeAxis ax = axis();

  surface.set_background(false, kWhite);
  draw_grid(surface, ax);
  draw_station_lines(surface, false);
  if (settings_.view.timelocal_view) draw_planned_dia(surface, ax);
  // The actual dia exists only while a simulation runs, which this program
  // never does: timereal_view only persists.

  surface.fill_rect({0, plot_.top, plot_.left + name_column_, plot_.bottom}, kWhite);
  surface.fill_rect({plot_.right + 1, plot_.top, surface.size().width, plot_.bottom}, kWhite);

  draw_titles(surface, ax, page);
  surface.set_text_align({HAlign::Left, VAlign::Bottom});
  surface.set_text_colour(kBlack);
  draw_station_lines(surface, true);
}

}  // namespace vosk::graph
