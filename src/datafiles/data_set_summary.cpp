#include "datafiles/data_set_summary.h"

#include "base/format.h"
#include "base/sjis.h"

namespace vosk::datafiles {

int run_count(const dia::DiaTables& dia) {
  int n = 0;
  for (int i = 1; i <= dia.diagrams.extent(); ++i)
    if (dia.diagrams[i].direction != 0) ++n;
  return n;
}

std::vector<std::string> data_set_summary(const DataSet& ds, bool english) {
  struct Count {
    const char* japanese;
    const char* english;
    int value;
  };
  const MapTables& m = ds.map;
  const Count counts[] = {
      {"レール", "Rails", m.rails.extent()},
      {"線路", "Tracks", m.prails.extent()},
      {"ポイント", "Points", m.points.extent()},
      {"停車場所", "Stopping places", m.targets.extent()},
      {"駅", "Stations", m.stations.extent()},
      {"形式", "Series", ds.series.extent()},
      {"仕業", "Duties", ds.dia.trains.extent()},
      {"編成", "Formations", ds.dia.units.extent()},
      {"列車", "Runs", run_count(ds.dia)},
      {"列車種別", "Train types", ds.classification.train_types.extent()},
      {"速度種別", "Speed types", ds.classification.speed_types.extent()},
  };
  std::vector<std::string> lines;
  std::string map = sjis::to_utf8_lossy(ds.header.map.map_name);
  std::string dia = sjis::to_utf8_lossy(ds.header.dia.dia_title);
  lines.push_back(format(english ? "Map: %s" : "マップ：%s", map.c_str()));
  lines.push_back(format(english ? "Dia: %s" : "ダイヤ：%s", dia.c_str()));
  for (const Count& c : counts)
    lines.push_back(format("%s: %d", english ? c.english : c.japanese, c.value));
  return lines;
}

}  // namespace vosk::datafiles
