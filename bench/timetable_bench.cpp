// The station timetables on the large generated data set (100 stations,
// 10,000 runs): building the down and up tables with every run's column,
// and writing every station's HTML file for both directions.
// Goals: tables under 100 ms, the whole HTML export under 1 s.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "samples/generator.h"
#include "timetable/html_export.h"

namespace {

using namespace vosk;

class NoPrompt : public Prompt {
 public:
  Answer ask(const std::string&, const std::string&, Buttons) override { return Answer::Ok; }
};

const datafiles::DataSet& large() {
  static const datafiles::DataSet ds = samples::make_sample({100, 10000, 7});
  return ds;
}

void BM_TimetableTables(benchmark::State& state) {
  const datafiles::DataSet& ds = large();
  timetable::TableView view;
  for (auto _ : state) {
    auto tables = timetable::build_timetables(ds, 0, view);
    benchmark::DoNotOptimize(tables);
  }
  const auto tables = timetable::build_timetables(ds, 0, view);
  state.counters["runs"] = static_cast<double>(tables.down.runs.size() + tables.up.runs.size());
}
BENCHMARK(BM_TimetableTables)->Unit(benchmark::kMillisecond);

// The cells of every column, as a full redraw of both tables needs them.
void BM_TimetableCells(benchmark::State& state) {
  const datafiles::DataSet& ds = large();
  timetable::TableView view;
  const auto tables = timetable::build_timetables(ds, 0, view);
  for (auto _ : state) {
    std::size_t cells = 0;
    for (const auto* t : {&tables.down, &tables.up})
      for (int n : t->runs) cells += timetable::run_cells(ds, tables, *t, n, view).size();
    benchmark::DoNotOptimize(cells);
  }
}
BENCHMARK(BM_TimetableCells)->Unit(benchmark::kMillisecond);

void BM_TimetableHtmlExport(benchmark::State& state) {
  const datafiles::DataSet& ds = large();
  const auto folder = std::filesystem::temp_directory_path() / "vosk_timetable_bench";
  std::filesystem::create_directories(folder);
  NoPrompt prompt;
  timetable::HtmlOptions options;
  options.detailed = true;
  options.type_pos = timetable::kAbove;
  options.for_pos = timetable::kBelow;
  int files = 0;
  for (auto _ : state) {
    const auto tables = timetable::build_timetables(ds, 0, {});
    files = timetable::export_station_html(ds, tables, folder, options, prompt).files;
  }
  state.counters["files"] = files;
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TimetableHtmlExport)->Unit(benchmark::kMillisecond);

}  // namespace
