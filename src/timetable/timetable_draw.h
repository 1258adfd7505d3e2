#pragma once
// The timetable window's picture: the down table above the up table, runs
// as columns from left to right, a station column with the row marks.
#include "base/surface.h"
#include "timetable/timetable_model.h"

namespace vosk::timetable {

struct CellLayout {
  int margin = 0;        // MulDiv(5, LOGPIXELSY, 720)
  int column_width = 0;  // a run's column
  int row_height = 0;
  int station_width = 0;  // the station column
  int header_rows = 3;    // train number, type, destination
};

CellLayout layout_cells(const datafiles::DataSet& ds, const Timetables& tables, Surface& surface,
                        const Font& font);

// Draws the tables from `origin`; returns the height drawn.
int draw_timetables(const datafiles::DataSet& ds, const Timetables& tables, const TableView& view,
                    const CellLayout& layout, const Font& font, Point origin, Surface& surface);

}  // namespace vosk::timetable
