// The track panel on the large generated map (100 stations): Auto Row for a
// 1280-pixel window, one full paint into a recording surface, and a hit test
// in the middle of the map.
#include <benchmark/benchmark.h>

#include "base/recording_surface.h"
#include "panel/track_panel.h"
#include "samples/generator.h"

namespace {

using namespace vosk;

struct LargePanel {
  datafiles::DataSet ds = samples::make_sample({100, 150, 7});
  panel::TrackPanel panel{ds, shell::builtin_main_window_line_styles()};
  LargePanel() {
    panel.view().window = {1280, 720};
    panel.view().inter_view = 1;
  }
};

LargePanel& large() {
  static LargePanel set;
  return set;
}

void BM_PanelAutoRow(benchmark::State& state) {
  LargePanel& set = large();
  for (auto _ : state) {
    set.panel.auto_row();
    benchmark::DoNotOptimize(set.ds.map.rows.extent());
  }
  state.counters["rows"] = set.ds.map.rows.extent();
  state.counters["rails"] = set.ds.map.rails.extent();
}
BENCHMARK(BM_PanelAutoRow)->Unit(benchmark::kMillisecond);

void BM_PanelPaint(benchmark::State& state) {
  LargePanel& set = large();
  set.panel.auto_row();
  const Size extent = set.panel.map_extent();
  for (auto _ : state) {
    RecordingSurface s(extent);
    set.panel.draw(s);
    benchmark::DoNotOptimize(s.ops().size());
  }
}
BENCHMARK(BM_PanelPaint)->Unit(benchmark::kMillisecond);

void BM_PanelHitTest(benchmark::State& state) {
  LargePanel& set = large();
  set.panel.auto_row();
  const Size extent = set.panel.map_extent();
  int i = 0;
  for (auto _ : state) {
    // A spread of places, most of them on nothing: the full search.
    const Point at{(i * 37) % extent.width, (i * 53) % extent.height};
    benchmark::DoNotOptimize(set.panel.hit(at));
    ++i;
  }
}
BENCHMARK(BM_PanelHitTest)->Unit(benchmark::kMicrosecond);

}  // namespace
