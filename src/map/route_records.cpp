#include "map/route_records.h"

#include "base/renumbering.h"

namespace vosk::map {

int lever_direction(const Rail& rail) { return rail.row_pos_x_next < rail.row_pos_x_back ? 1 : 2; }

int create_lever(InterlockingTables& t, int j) {
  const Rail& rail = t.rails[j];
  const int n = t.levers.extent() + 1;
  RouteLever& lever = t.levers.grow_to(n);
  lever = RouteLever{};
  lever.mode = kLeverRestore;
  lever.direction = lever_direction(rail);
  lever.lever_shown = 1;
  lever.lever_row = rail.row;
  lever.lever_x = rail.row_pos_x_next - (rail.row_pos_x_next - rail.row_pos_x_back) / 10;
  lever.lever_y = rail.row_pos_y_next;
  // The end-button symbol sits diagonally off the lever symbol, on the side
  // away from the track for the lever's direction.
  const int offset = lever.direction == 1 ? 10 : -10;
  lever.button_shown = 1;
  lever.button_row = rail.row;
  lever.button_x = lever.lever_x + offset;
  lever.button_y = lever.lever_y + offset;
  t.rails[j].route_lever = n;
  return n;
}

int create_button(InterlockingTables& t, int j) {
  Rail& rail = t.rails[j];
  if (rail.route_button != 0) return rail.route_button;
  const int n = t.buttons.extent() + 1;
  RouteButton& button = t.buttons.grow_to(n);
  button = RouteButton{};
  button.flag2 = lever_direction(rail);
  button.shown = 1;
  button.row = rail.row;
  button.x = rail.row_pos_x_back + 2 * (rail.row_pos_x_next - rail.row_pos_x_back) / 10;
  button.y = rail.row_pos_y_back;
  rail.route_button = n;
  return n;
}

void delete_lever(InterlockingTables& t, int n) {
  if (!t.levers.names_record(n)) return;
  for (Rail& rail : t.rails) {
    rail.route_lever = renumbered_after_removal(rail.route_lever, n);
    rail.normal_route_lever = renumbered_after_removal(rail.normal_route_lever, n);
  }
  for (PRail& prail : t.prails) prail.lever = renumbered_after_removal(prail.lever, n);
  for (RouteButton& button : t.buttons) button.owner = renumbered_after_removal(button.owner, n);
  remove_record(t.levers, n);
}

void delete_button(InterlockingTables& t, int n) {
  if (!t.buttons.names_record(n)) return;
  for (Rail& rail : t.rails) rail.route_button = renumbered_after_removal(rail.route_button, n);
  for (RouteLever& lever : t.levers) {
    lever.normal_route = renumbered_after_removal(lever.normal_route, n);
    lever.current_route = renumbered_after_removal(lever.current_route, n);
  }
  remove_record(t.buttons, n);
}

}  // namespace vosk::map
