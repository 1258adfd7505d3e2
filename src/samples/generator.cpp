#include "samples/generator.h"

#include <algorithm>

#include "base/format.h"
#include "datafiles/bundle_writer.h"
#include "datafiles/table_loader.h"
#include "samples/dia.h"
#include "samples/interlocking.h"
#include "samples/map.h"
#include "samples/names.h"
#include "samples/route.h"

namespace vosk::samples {
namespace {

using datafiles::kMaxHeaderText;
using datafiles::kMemberCount;
using datafiles::Member;
using datafiles::SafetySystem;

constexpr int kMinRuns = 8;      // one run of each service in each direction
constexpr int kMaxRuns = 20000;  // about 10 million events on the longest line

void write_header(Header& header, const SampleLine& line, unsigned seed) {
  header = Header{};
  for (std::size_t m = 0; m < kMemberCount; ++m) {
    auto member = static_cast<Member>(m);
    if (member != Member::Stack) header.member(member).name = datafiles::member_file_name(member);
  }
  header.start_time = 4 * 3600 + 50 * 60;
  const std::string branch_end = line.names[static_cast<std::size_t>(line.branch.back().number)];
  header.dia.dia_title = record_text("平日ダイヤ（サンプル）", kMaxHeaderText);
  header.dia.dia_comment = record_text(
      format("サンプルデータ 駅数%d 乱数種%u", line.station_count(), seed), kMaxHeaderText);
  header.map.map_name =
      record_text("サンプル電鉄 本線・" + branch_end + "支線", kMaxHeaderText);
  // Signal aspects computed the current way, so no conversion is offered.
  header.map.signal_version = 1042;
  // An ATS map: ATC would need a non-enterable block before every point.
  header.map.use_atc = 0;
  header.map.use_ats = 1;
  header.map.safety_system = SafetySystem::Ats;
  // Rightward runs are the down runs.
  header.map.right_down = 1;
}

}  // namespace

DataSet make_sample(const SampleOptions& options) {
  const int stations =
      std::clamp(options.stations, kMinSampleStations, kMaxSampleStations);
  const int runs = std::clamp(options.runs, kMinRuns, kMaxRuns);
  SampleRandom random(options.seed);

  DataSet data;
  SampleLine line = lay_out_line(stations, random);
  write_header(data.header, line, options.seed);
  write_track_tables(line, data.map);
  write_station_tables(line, station_distances(line, data.map), data.map);
  write_interlocking(data);
  write_series(data.series);
  write_classification(line, data.map, data.header, data.classification);
  write_runs(line, data, runs, options.whole_journeys);
  data.header.sizes = table_records(data);
  // What loading derives: labels, track lists, owning units, duty positions.
  rebuild_derived_data(data, false);
  return data;
}

}  // namespace vosk::samples
