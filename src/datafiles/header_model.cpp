#include "datafiles/header_model.h"

namespace vosk::datafiles {
namespace {

struct TableRow {
  Table table;
  const char* key;
  int default_size;
};

// Missing keys: the map tables get room for a usual map; a missing Detail,
// RouteLever or RouteButton key means the map has none of them. The dia and
// accident tables grow as records are added.
constexpr TableRow kTables[kTableCount] = {
    {Table::Rail, "Rail", 4095},
    {Table::PRail, "PRail", 2047},
    {Table::Point, "Point", 255},
    {Table::Target, "Target", 255},
    {Table::Station, "Station", 127},
    {Table::StationDraw, "StationDraw", 255},
    {Table::Row, "Row", 63},
    {Table::Jump, "Jump", 255},
    {Table::Detail, "Detail", 0},
    {Table::RouteLever, "RouteLever", 0},
    {Table::RouteButton, "RouteButton", 0},
    {Table::AccidentBetween, "AccidentBetween", 0},
    {Table::AccidentRail, "AccidentRail", 0},
    {Table::AccidentPoint, "AccidentPoint", 0},
    {Table::AccidentUnit, "AccidentUnit", 0},
    {Table::AccidentStation, "AccidentStation", 0},
    {Table::Diagram, "Diagram", 0},
    {Table::Train, "Train", 0},
    {Table::Unit, "Unit", 0},
};

constexpr bool rows_in_enum_order() {
  for (std::size_t i = 0; i < kTableCount; ++i)
    if (static_cast<std::size_t>(kTables[i].table) != i) return false;
  return true;
}
static_assert(rows_in_enum_order());

}  // namespace

const char* table_key(Table t) { return kTables[static_cast<std::size_t>(t)].key; }

int table_default_size(Table t) { return kTables[static_cast<std::size_t>(t)].default_size; }

TableSizes::TableSizes() {
  for (std::size_t i = 0; i < kTableCount; ++i) n_[i] = kTables[i].default_size;
}

TableSizes TableSizes::all(int n) {
  TableSizes sizes;
  sizes.n_.fill(n);
  return sizes;
}

std::string MemberSource::path_in(std::string_view member_folder) const {
  if (from_old_map()) return fixed_path;
  std::string path(member_folder);
  path += name;
  return path;
}

}  // namespace vosk::datafiles
