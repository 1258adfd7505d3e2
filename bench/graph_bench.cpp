// The train graph window on the large generated data set (100 stations,
// 10,000 runs) at 1920x1080: the vertical layout, one drawing pass into a
// counting and into a recording surface, and the hit test of a click.
// Goals: layout under 2 ms, drawing under 8 ms, hit test under 1 ms.
#include <benchmark/benchmark.h>

#include "base/recording_surface.h"
#include "graph/graph_controller.h"
#include "samples/generator.h"

namespace {

using namespace vosk;

// Counts what a pass emits and nothing more: the cost of the pass itself.
class CountingSurface : public Surface {
 public:
  Size size() const override { return {1920, 1080}; }
  int logpixelsx() const override { return 96; }
  int logpixelsy() const override { return 96; }
  void set_pen(const Pen&) override {}
  void set_brush(const Brush&) override {}
  void set_font(const Font& font) override { font_ = font; }
  void set_text_colour(Rgb) override {}
  void set_text_align(TextAlign) override {}
  void set_background(bool, Rgb) override {}
  void move_to(Point) override {}
  void line_to(Point) override { ++lines; }
  void rectangle(const Rect&) override { ++fills; }
  void fill_rect(const Rect&, Rgb) override { ++fills; }
  void polygon(std::span<const Point>) override { ++fills; }
  void text(Point, std::string_view) override { ++texts; }
  Size measure(std::string_view utf8) override { return approximate_text_size(font_, 96, utf8); }

  long long lines = 0, fills = 0, texts = 0;

 private:
  Font font_;
};

struct LargeGraph {
  datafiles::DataSet ds = samples::make_sample({100, 10000, 7});
  graph::GraphController graph{ds};
  LargeGraph() {
    graph.set_plot({2, 2, 1918, 1078});
    graph.set_time_range(7 * 3600, 8 * 3600);  // the morning peak
  }
};

LargeGraph& large() {
  static LargeGraph set;
  return set;
}

void BM_GraphLayout(benchmark::State& state) {
  LargeGraph& set = large();
  CountingSurface surface;
  for (auto _ : state) {
    set.graph.mark_dirty();
    set.graph.layout(surface);
    benchmark::DoNotOptimize(set.graph.vertical().rows.data());
  }
}
BENCHMARK(BM_GraphLayout)->Unit(benchmark::kMillisecond);

void BM_GraphDrawCounting(benchmark::State& state) {
  LargeGraph& set = large();
  CountingSurface surface;
  for (auto _ : state) {
    surface.lines = surface.texts = 0;
    set.graph.draw(surface);
  }
  state.counters["lines"] = static_cast<double>(surface.lines);
  state.counters["texts"] = static_cast<double>(surface.texts);
}
BENCHMARK(BM_GraphDrawCounting)->Unit(benchmark::kMillisecond);

void BM_GraphDrawRecording(benchmark::State& state) {
  LargeGraph& set = large();
  RecordingSurface surface({1920, 1080}, 96);
  for (auto _ : state) {
    surface.clear();
    set.graph.draw(surface);
  }
  state.counters["ops"] = static_cast<double>(surface.ops().size());
}
BENCHMARK(BM_GraphDrawRecording)->Unit(benchmark::kMillisecond);

// The whole day in view: every run is drawn (no goal; the worst case).
void BM_GraphDrawWholeDay(benchmark::State& state) {
  LargeGraph& set = large();
  CountingSurface surface;
  set.graph.set_time_range(0, 28 * 3600);
  for (auto _ : state) {
    surface.lines = surface.texts = 0;
    set.graph.draw(surface);
  }
  set.graph.set_time_range(7 * 3600, 8 * 3600);
  state.counters["lines"] = static_cast<double>(surface.lines);
}
BENCHMARK(BM_GraphDrawWholeDay)->Unit(benchmark::kMillisecond);

void BM_GraphHitTest(benchmark::State& state) {
  LargeGraph& set = large();
  CountingSurface surface;
  set.graph.draw(surface);
  int hit = 0;
  for (auto _ : state) {
    hit = set.graph.hit_test({960, 540});
    benchmark::DoNotOptimize(hit);
  }
  state.counters["hit"] = hit;
}
BENCHMARK(BM_GraphHitTest)->Unit(benchmark::kMillisecond);

}  // namespace
