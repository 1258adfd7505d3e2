#include "map/route_lever.h"

#include "map/column_member.h"

namespace vosk::map {
namespace {

// route_lever.csv after the lever number; the line ends with a comma.
constexpr IntColumn<RouteLever> kColumns[] = {
    {&RouteLever::mode, "%1d,"},          {&RouteLever::normal_route, "%3d,"},
    {&RouteLever::current_route, "%3d,"}, {&RouteLever::flag1, "%1d,"},
    {&RouteLever::direction, "%1d,"},     {&RouteLever::lever_shown, "%1d,"},
    {&RouteLever::lever_row, "%2d,"},     {&RouteLever::lever_x, "%4d,"},
    {&RouteLever::lever_y, "%4d,"},       {&RouteLever::button_shown, "%1d,"},
    {&RouteLever::button_row, "%2d,"},    {&RouteLever::button_x, "%4d,"},
    {&RouteLever::button_y, "%4d,"},
};

}  // namespace

void read_route_lever(std::string_view content, int version, RecordTable<RouteLever>& table,
                      MemberWarnings& warnings) {
  read_column_member(content, version, table, warnings, kColumns);
}

void write_route_lever(const RecordTable<RouteLever>& table, csv::Writer& out) {
  write_column_member(table, 1, "%3d,", kColumns, out);
}

}  // namespace vosk::map
