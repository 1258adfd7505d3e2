#include "map/route_button.h"

#include "map/column_member.h"

namespace vosk::map {
namespace {

// route_button.csv after the button number; the line ends with a comma.
constexpr IntColumn<RouteButton> kColumns[] = {
    {&RouteButton::owner, "%3d,"}, {&RouteButton::flag1, "%1d,"}, {&RouteButton::flag2, "%1d,"},
    {&RouteButton::shown, "%1d,"}, {&RouteButton::row, "%2d,"},   {&RouteButton::x, "%4d,"},
    {&RouteButton::y, "%4d,"},
};

}  // namespace

void read_route_button(std::string_view content, int version, RecordTable<RouteButton>& table,
                       MemberWarnings& warnings) {
  read_column_member(content, version, table, warnings, kColumns);
}

void write_route_button(const RecordTable<RouteButton>& table, csv::Writer& out) {
  write_column_member(table, 1, "%3d,", kColumns, out);
}

}  // namespace vosk::map
