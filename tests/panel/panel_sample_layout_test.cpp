// The generated sample as the main window's panel shows it: nothing drawn
// after a station's name covers it, whatever stands on the platforms.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "base/sjis.h"
#include "panel/panel_labels.h"
#include "panel/track_panel.h"
#include "samples/generator.h"
#include "support/recording_surface.h"

namespace vosk::panel {
namespace {

using vosk::testing::DrawOp;
using vosk::testing::OpKind;
using vosk::testing::RecordingSurface;

// A generous text height, as a desktop font draws 9 points with its leading.
constexpr int kDpi = 136;

Rect bounds(const DrawOp& op) {
  switch (op.kind) {
    case OpKind::Line:
      return {std::min(op.from.x, op.to.x), std::min(op.from.y, op.to.y),
              std::max(op.from.x, op.to.x) + 1, std::max(op.from.y, op.to.y) + 1};
    case OpKind::Rectangle:
    case OpKind::FillRect:
      return op.rect;
    case OpKind::Polygon: {
      Rect r{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
      for (const Point& p : op.points)
        r = {std::min(r.left, p.x), std::min(r.top, p.y), std::max(r.right, p.x + 1),
             std::max(r.bottom, p.y + 1)};
      return r;
    }
    case OpKind::Text:
      return text_box(op.from, op.align, approximate_text_size(op.font, kDpi, op.text));
  }
  return {};
}

class Panel_SampleLayoutTests : public ::testing::TestWithParam<int> {};

TEST_P(Panel_SampleLayoutTests, NothingDrawnAfterAStationNameCoversIt) {
  datafiles::DataSet data = samples::make_sample({GetParam(), 150, 1, false});
  std::set<std::string> names;
  for (int t = 1; t <= data.map.targets.extent(); ++t)
    names.insert(sjis::to_utf8_lossy(data.map.targets[t].short_name));
  // A long train number on every platform and siding, besides the duties
  // standing where the sample puts them.
  auto& trains = data.dia.trains;
  for (int r = 1; r <= data.map.rails.extent(); ++r) {
    if (data.map.rails[r].area == 0) continue;
    dia::Train& train = trains.grow_to(trains.extent() + 1);
    train.name = "1234M";
    train.position.current_rail = r;
  }
  for (int rail_view : {0, 2}) {
    TrackPanel panel(data, shell::builtin_main_window_line_styles());
    panel.view() = window_view(data.header, 0);
    ASSERT_EQ(panel.view().inter_view, 2);
    panel.view().rail_view = rail_view;
    RecordingSurface s(panel.map_extent(), kDpi);
    panel.paint_whole_map(s);
    const std::vector<DrawOp>& ops = s.ops();
    int checked = 0;
    for (std::size_t i = 0; i < ops.size(); ++i) {
      if (ops[i].kind != OpKind::Text || !names.count(ops[i].text)) continue;
      ++checked;
      const Rect name = bounds(ops[i]);
      for (std::size_t k = i + 1; k < ops.size(); ++k) {
        const Rect other = bounds(ops[k]);
        EXPECT_FALSE(overlaps(name, other))
            << ops[i].text << " at " << name.left << "," << name.top << " covered by op " << k
            << " (" << static_cast<int>(ops[k].kind) << " " << ops[k].text << ") at " << other.left
            << "," << other.top << "-" << other.right << "," << other.bottom;
      }
    }
    EXPECT_EQ(checked, data.map.station_draws.extent());
  }
}

// The shipped sample's size, the smallest line and a long one.
INSTANTIATE_TEST_SUITE_P(Sizes, Panel_SampleLayoutTests, ::testing::Values(12, 5, 40));

}  // namespace
}  // namespace vosk::panel
