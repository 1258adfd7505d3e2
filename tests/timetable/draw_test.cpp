#include <gtest/gtest.h>

#include <algorithm>

#include "base/recording_surface.h"
#include "timetable/timetable_draw.h"
#include "timetable_fixture.h"

namespace vosk::testing {
namespace {

TEST(TimetableDraw, MeasuresFromTheFontAndDrawsEveryCellInItsColumn) {
  TimetableLine line;
  line.down_run(hm(7, 0));
  line.ds.dia.diagrams[1].train_number = "123456789012345M";  // wider than a time
  const auto tables = line.build();
  RecordingSurface surface({800, 600}, 96);
  const Font font;
  const auto layout = timetable::layout_cells(line.ds, tables, surface, font);
  EXPECT_EQ(layout.margin, 1);  // 5 × 96 / 720 rounded
  EXPECT_EQ(layout.column_width, surface.measure("123456789012345M").width + 3 * layout.margin);
  EXPECT_EQ(layout.row_height, surface.measure("00:00:00").height + 3 * layout.margin);
  const int height = timetable::draw_timetables(line.ds, tables, {}, layout, font, {0, 0}, surface);
  // Header and 4 rows for each table, a gap row after each.
  EXPECT_EQ(height, 2 * (3 + 4 + 1) * layout.row_height);
  const auto texts = surface.texts();
  for (const char* expected :
       {"下り", "上り", "A", "D", "着", "発", " 700", " 705", "123456789012345M"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
  // The down run's column has no cells in the up table.
  EXPECT_EQ(std::count(texts.begin(), texts.end(), " 702"), 1);
}

}  // namespace
}  // namespace vosk::testing
