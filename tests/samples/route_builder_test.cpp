// The runs of the sample data set against the dia model's route builder:
// rebuilt from their own stop plans, they must come out exactly as
// generated, events, point settings and times alike.
#include <gtest/gtest.h>

#include "samples/generator.h"
#include "dia/rail_index.h"
#include "dia/route_builder.h"
#include "dia/stop_plan.h"
#include "dia/timing_lookup.h"

namespace vosk::samples {
namespace {

using namespace datafiles;

void expect_routes_rebuild_unchanged(const SampleOptions& options) {
  DataSet data = make_sample(options);
  const MapTables& m = data.map;
  dia::MapView view{m.rails, m.prails, m.points, m.targets, m.stations};
  dia::RailIndex index(view);
  dia::TimingSettings settings;
  settings.unit = data.header.dia.unit;
  settings.stop = {data.header.dia.standard, data.header.dia.reverse,
                   data.header.dia.stop_time_velocity != 0};
  dia::TimingLookup timing(view.tables(), data.classification, settings);
  dia::RouteContext context{view, index, timing, nullptr};
  for (int n = 1; n <= data.dia.diagrams.extent(); ++n) {
    const std::vector<dia::DiaEvent> generated = data.dia.diagrams[n].events;
    dia::StopPlan plan = dia::load_stop_plan(data.dia.diagrams[n], view);
    data.dia.diagrams[n].events.resize(1);  // the start: rail, time, type
    ASSERT_TRUE(dia::build_route(context, data.dia, n, plan))
        << "stations=" << options.stations << " diagram " << n;
    EXPECT_EQ(data.dia.diagrams[n].events, generated)
        << "stations=" << options.stations << " diagram " << n;
  }
}

TEST(Datafiles_SampleRouteTests, EveryRunIsWhatTheRouteBuilderMakesOfItsStopPlan) {
  expect_routes_rebuild_unchanged({12, 150, 1});
  expect_routes_rebuild_unchanged({5, 8, 7});
  expect_routes_rebuild_unchanged({40, 600, 4});
}

}  // namespace
}  // namespace vosk::samples
