#include "timetable/timetable_draw.h"

#include <algorithm>

#include "base/sjis.h"

namespace vosk::timetable {

namespace {

const Rgb kLine{160, 160, 160};
const Rgb kBlack{0, 0, 0};

std::string utf8(const std::string& cp932) { return sjis::to_utf8_lossy(cp932); }

const dia::TrainType* type_of(const datafiles::DataSet& ds, const dia::Diagram& d) {
  const auto& types = ds.classification.train_types;
  return d.train_type >= 0 && d.train_type <= types.extent() ? &types[d.train_type] : nullptr;
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

}  // namespace

CellLayout layout_cells(const datafiles::DataSet& ds, const Timetables& tables, Surface& surface,
                        const Font& font) {
  surface.set_font(font);
  CellLayout l;
  l.margin = std::max(1, (5 * surface.logpixelsy() + 360) / 720);
  const Size time = surface.measure("00:00:00");
  int widest = time.width;
  for (const Table* t : {&tables.down, &tables.up})
    for (int n : t->runs) {
      const dia::Diagram& d = ds.dia.diagrams[n];
      widest = std::max(widest, surface.measure(utf8(d.train_number)).width);
      widest = std::max(widest, surface.measure(utf8(d.destination_text)).width);
      if (const dia::TrainType* type = type_of(ds, d))
        widest = std::max(widest, surface.measure(utf8(type->short_name)).width);
    }
  l.column_width = widest + 3 * l.margin;
  l.row_height = time.height + 3 * l.margin;
  int names = 0;
  for (int t : tables.down.stations)
    names = std::max(names, surface.measure(utf8(ds.map.targets[t].short_name)).width);
  l.station_width = names + surface.measure("発").width + l.margin + 2;
  return l;
}

int draw_timetables(const datafiles::DataSet& ds, const Timetables& tables, const TableView& view,
                    const CellLayout& l, const Font& font, Point origin, Surface& surface) {
  surface.set_font(font);
  surface.set_text_align({HAlign::Left, VAlign::Top});
  surface.set_background(false, Rgb{255, 255, 255});
  int y = origin.y;
  auto text = [&](int x, int top, const std::string& s, Rgb colour) {
    surface.set_text_colour(colour);
    surface.text({x + l.margin, top + l.margin}, s);
  };
  for (const Table* t : {&tables.down, &tables.up}) {
    if (t->stations.empty()) continue;
    const int rows = l.header_rows + static_cast<int>(t->rows.size());
    const int width = l.station_width + l.column_width * static_cast<int>(t->runs.size());
    const int height = rows * l.row_height;
    text(origin.x, y, t == &tables.down ? "下り" : "上り", kBlack);
    for (std::size_t r = 0; r < t->rows.size(); ++r) {
      const int top = y + (l.header_rows + static_cast<int>(r)) * l.row_height;
      const TableRow& row = t->rows[r];
      const bool first_of_station = r == 0 || t->rows[r - 1].target != row.target;
      if (first_of_station)
        text(origin.x, top, utf8(ds.map.targets[row.target].short_name), kBlack);
      surface.set_text_align({HAlign::Right, VAlign::Top});
      surface.set_text_colour(kBlack);
      surface.text({origin.x + l.station_width - l.margin, top + l.margin}, row_mark(row.kind));
      surface.set_text_align({HAlign::Left, VAlign::Top});
    }
    for (std::size_t c = 0; c < t->runs.size(); ++c) {
      const int n = t->runs[c];
      const int x = origin.x + l.station_width + static_cast<int>(c) * l.column_width;
      const dia::Diagram& d = ds.dia.diagrams[n];
      const dia::TrainType* type = type_of(ds, d);
      const Rgb colour = type ? Rgb{type->red, type->green, type->blue} : kBlack;
      text(x, y, utf8(d.train_number), colour);
      if (type) text(x, y + l.row_height, utf8(type->short_name), colour);
      text(x, y + 2 * l.row_height, utf8(d.destination_text), colour);
      const auto cells = run_cells(ds, tables, *t, n, view);
      for (std::size_t r = 0; r < cells.size(); ++r) {
        const Colour& cc = cells[r].colour;
        text(x, y + (l.header_rows + static_cast<int>(r)) * l.row_height, utf8(cells[r].text),
             Rgb{cc.red, cc.green, cc.blue});
      }
    }
    surface.set_pen({PenStyle::Solid, 1, kLine});
    for (int r = 0; r <= rows; ++r) {
      surface.move_to({origin.x, y + r * l.row_height});
      surface.line_to({origin.x + width, y + r * l.row_height});
    }
    for (int c = 0; c <= static_cast<int>(t->runs.size()); ++c) {
      const int x = origin.x + l.station_width + c * l.column_width;
      surface.move_to({x, y});
      surface.line_to({x, y + height});
    }
    y += height + l.row_height;
  }
  return y - origin.y;
}

}  // namespace vosk::timetable
