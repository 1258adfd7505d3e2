// Property: every generated data set survives open → save → open → save
// through the real file flows, packed (.qvw) and plain (.qvp), byte for
// byte and member for member. Each failure names the make_sample arguments
// that reproduce it.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include <unistd.h>

#include "base/text_file.h"
#include "datafiles/bundle.h"
#include "datafiles/bundle_writer.h"
#include "datafiles/file_kind.h"
#include "datafiles/open_save.h"
#include "samples/generator.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::datafiles {
namespace {

using samples::make_sample;
using samples::SampleOptions;
using testing::ScriptedPrompt;
using testing::TempDir;

constexpr int kTrials = 200;

// Small lines keep the property within a few seconds under ASan; 5 stations
// and 8 runs are the smallest line the generator makes.
std::vector<SampleOptions> trials() {
  std::mt19937 pick(0x5eed);  // fixed, so every run checks the same data sets
  std::uniform_int_distribution<int> stations(5, 20);
  std::uniform_int_distribution<int> runs(8, 60);
  std::vector<SampleOptions> out;
  for (int i = 0; i < kTrials; ++i) {
    SampleOptions o;
    o.stations = stations(pick);
    o.runs = runs(pick);
    o.seed = static_cast<unsigned>(pick());
    out.push_back(o);
  }
  return out;
}

std::string describe(const SampleOptions& o, const char* ext) {
  return "make_sample({.stations = " + std::to_string(o.stations) +
         ", .runs = " + std::to_string(o.runs) + ", .seed = " + std::to_string(o.seed) + "}) as ." +
         ext;
}

// The bundle text a saved file holds, whichever form it was written in.
std::string bundle_text_of(const std::filesystem::path& path) {
  auto bytes = textfile::read_binary(path);
  if (!bytes) return {};
  if (!is_packed(kind_of(path))) return textfile::to_text_mode(*bytes);
  bundle::Unpacked unpacked = bundle::unpack(*bytes);
  EXPECT_EQ(unpacked.status, bundle::UnpackStatus::Ok) << path;
  return unpacked.text;
}

// The first line where two member contents part.
std::string first_differing_line(std::string_view a, std::string_view b) {
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  std::size_t start = at == 0 ? 0 : a.rfind('\n', at - 1);
  start = start == std::string::npos || at == 0 ? 0 : start + 1;
  auto line = [start](std::string_view s) {
    return std::string(s.substr(start, s.find('\n', start) - start));
  };
  return "'" + line(a) + "' / '" + line(b) + "'";
}

// Members are the byte-exact serialisation of every table, so equal members
// mean every stored field of every record came back.
void expect_same_members(const std::string& expected, const std::string& actual,
                         const std::string& what) {
  bundle::SplitResult a = bundle::split(expected);
  bundle::SplitResult b = bundle::split(actual);
  const auto& am = a.members.members();
  const auto& bm = b.members.members();
  ASSERT_EQ(am.size(), bm.size()) << what << ": member count";
  for (std::size_t i = 0; i < am.size(); ++i) {
    ASSERT_EQ(am[i].name, bm[i].name) << what << ": member " << i;
    EXPECT_TRUE(am[i].content == bm[i].content)
        << what << ": member " << am[i].name << " differs at "
        << first_differing_line(am[i].content, bm[i].content);
  }
}

// Record counts of every table and the header values the open flow shows.
std::vector<std::pair<const char*, long long>> shape_of(const DataSet& ds) {
  long long events = 0;
  for (const dia::Diagram& d : ds.dia.diagrams) events += static_cast<long long>(d.events.size());
  const MapTables& m = ds.map;
  const dia::ClassificationTables& c = ds.classification;
  return {
      {"rails", m.rails.extent()},
      {"prails", m.prails.extent()},
      {"points", m.points.extent()},
      {"targets", m.targets.extent()},
      {"stations", m.stations.extent()},
      {"station draws", m.station_draws.extent()},
      {"rows", m.rows.extent()},
      {"jumps", m.jumps.extent()},
      {"details", m.details.extent()},
      {"signal sets", m.signals.sets.extent()},
      {"aspect pictures", static_cast<long long>(m.signals.pictures.size())},
      {"route levers", m.route_levers.extent()},
      {"route buttons", m.route_buttons.extent()},
      {"series", ds.series.extent()},
      {"runs", ds.dia.diagrams.extent()},
      {"events", events},
      {"trains", ds.dia.trains.extent()},
      {"units", ds.dia.units.extent()},
      {"train types", c.train_types.extent()},
      {"display targets", c.display_targets.extent()},
      {"patterns", c.patterns.extent()},
      {"speed types", c.speed_types.extent()},
      {"stop times", static_cast<long long>(c.stop_times.size())},
      {"passenger flows", static_cast<long long>(c.passengers.size())},
      {"start time", ds.header.start_time},
  };
}

void expect_same_shape(const DataSet& expected, const DataSet& actual, const std::string& what) {
  auto a = shape_of(expected);
  auto b = shape_of(actual);
  for (std::size_t i = 0; i < a.size(); ++i)
    EXPECT_EQ(a[i].second, b[i].second) << what << ": " << a[i].first;
  EXPECT_TRUE(expected.header.sizes == actual.header.sizes) << what << ": table sizes";
  EXPECT_EQ(expected.header.map.map_name, actual.header.map.map_name) << what;
  EXPECT_EQ(expected.header.dia.dia_title, actual.header.dia.dia_title) << what;
  EXPECT_FALSE(actual.executed_stack) << what;
}

// The trials save hundreds of files, each flushed to disk before it
// replaces the last; a memory-backed folder, where the machine has one,
// makes the flush free without changing the flow under test.
std::filesystem::path scratch_parent() {
  std::error_code ec;
  if (std::filesystem::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0)
    return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

// The file a trial starts from, written directly as a finished save would
// have left it. Returns its bundle text.
std::string write_start_file(const TempDir& dir, const std::filesystem::path& path, DataSet ds) {
  std::string text = write_bundle(ds);
  dir.write(path.filename().string(),
            is_packed(kind_of(path)) ? bundle::pack(text) : textfile::to_disk_mode(text));
  return text;
}

// One trial: open the generated data set's file, save, open that, save again.
void check_round_trip(const TempDir& dir, const SampleOptions& options, const char* ext) {
  const std::string what = describe(options, ext);
  auto file = [&](const char* stem) { return dir / (std::string(stem) + "." + ext); };
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};

  const DataSet generated = make_sample(options);
  const std::string generated_text = write_start_file(dir, file("generated"), generated);
  auto first = read_data_set(file("generated"), session);
  ASSERT_TRUE(first) << what;
  ASSERT_TRUE(write_data_set(file("first"), *first, session, {})) << what;
  auto second = read_data_set(file("first"), session);
  ASSERT_TRUE(second) << what;
  ASSERT_TRUE(write_data_set(file("second"), *second, session, {})) << what;
  ASSERT_EQ(prompt.count(), 0u) << what << ": [" << prompt.last().caption << "] "
                                << prompt.last().text;

  auto first_bytes = textfile::read_binary(file("first"));
  auto second_bytes = textfile::read_binary(file("second"));
  ASSERT_TRUE(first_bytes && second_bytes) << what;
  const std::string first_text = bundle_text_of(file("first"));
  if (*first_bytes != *second_bytes) {
    ADD_FAILURE() << what << ": the second save differs from the first";
    expect_same_members(first_text, bundle_text_of(file("second")), what + ", first/second");
  }
  // Nothing the generator put into the file is lost or changed by opening it.
  expect_same_members(generated_text, first_text, what + ", generated/first");
  expect_same_shape(generated, *first, what + ", generated/first");
  expect_same_shape(*first, *second, what + ", first/second");
}

// Packed and plain targets take the trials in turn, each a hundred data
// sets; two tests, so that the runner can run them side by side.
void check_every_other_trial(int first, const char* ext) {
  TempDir dir(scratch_parent());
  const std::vector<SampleOptions> all = trials();
  for (std::size_t i = static_cast<std::size_t>(first); i < all.size(); i += 2) {
    check_round_trip(dir, all[i], ext);
    if (::testing::Test::HasFailure()) return;  // one reproducible case is enough
  }
}

TEST(Datafiles_RoundTripPropertyTests, PackedFilesSurviveOpenSaveOpenSave) {
  check_every_other_trial(0, "qvw");
}

TEST(Datafiles_RoundTripPropertyTests, PlainBundleFilesSurviveOpenSaveOpenSave) {
  check_every_other_trial(1, "qvp");
}

}  // namespace
}  // namespace vosk::datafiles
