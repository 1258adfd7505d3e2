#pragma once
// One data set in memory: the header and every table of the map, the rolling
// stock and the dia. Opening builds a fresh DataSet and swaps it in only
// when everything loaded, so a failed open leaves the previous one intact.
#include <optional>
#include <string>

#include "base/record_table.h"
#include "datafiles/header_model.h"
#include "dia/classification.h"
#include "dia/dia_tables.h"
#include "map/detail.h"
#include "map/jump.h"
#include "map/p_rail.h"
#include "map/point.h"
#include "map/rail.h"
#include "map/route_button.h"
#include "map/route_lever.h"
#include "map/row.h"
#include "map/signal_member.h"
#include "map/signal_set.h"
#include "map/station.h"
#include "map/station_draw.h"
#include "map/target.h"
#include "stock/series.h"

namespace vosk::datafiles {

struct MapTables {
  RecordTable<map::Rail> rails;
  RecordTable<map::PRail> prails;
  RecordTable<map::Point> points;
  RecordTable<map::Target> targets;
  RecordTable<map::Station> stations;
  RecordTable<map::StationDraw> station_draws;
  RecordTable<map::Row> rows;
  RecordTable<map::Jump> jumps;
  RecordTable<map::Detail> details;
  map::SignalSets signals;
  RecordTable<map::RouteLever> route_levers;
  RecordTable<map::RouteButton> route_buttons;
};

struct DataSet {
  Header header;
  // Executed data (.qve): the stack member as read, and the stack member a
  // snapshot of the model gave right after the open. Saving as executed
  // data writes the member as read while the model still gives that same
  // snapshot, and a fresh snapshot of the model once its data changed.
  std::optional<std::string> executed_stack;
  std::string executed_stack_of_opened_model;
  MapTables map;
  stock::SeriesTable series;
  dia::DiaTables dia;
  dia::ClassificationTables classification;
};

}  // namespace vosk::datafiles
