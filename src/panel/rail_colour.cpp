// The colour rules of the panel's rails.
#include <cstdlib>

#include "panel/track_panel.h"

namespace vosk::panel {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kNoSignal{0, 0, 255};
constexpr Rgb kOccupied{255, 0, 0};
constexpr Rgb kClosed{128, 128, 128};
constexpr Rgb kDimmed{95, 95, 95};
constexpr Rgb kHeldLit{255, 255, 0};

}  // namespace

Rgb TrackPanel::aspect_colour(int rail, bool restricting_only) const {
  const auto& rails = data_.map.rails;
  const auto& prails = data_.map.prails;
  auto in_point = [&](int r) {
    const int p = rails[r].l_pack;
    return prails.names_record(p) && prails[p].point != 0;
  };
  const Rgb no_signal = restricting_only ? kWhite : kNoSignal;
  // A damaged map may link rails in a circle; no walk is longer than the
  // rail table.
  const int max_steps = rails.extent() + 1;

  // Walk on while the current rail has no signal, through point tracks.
  int current = rail;
  for (int steps = 0; rails[current].signal == 0; ++steps) {
    if (steps > max_steps) return no_signal;
    const int next = rails[current].l_next;
    if (in_point(current)) {
      if (next <= 0 || !rails.names_record(next)) break;
      current = next;
    } else {
      if (next < 1 || !rails.names_record(next) || !in_point(next)) return no_signal;
      current = next;
    }
  }
  const int stopped = current;

  // The first signal along the chain from there, links taken by their
  // absolute value.
  int signalled = stopped;
  for (int steps = 0; rails[signalled].signal == 0; ++steps) {
    const int next = std::abs(rails[signalled].l_next);
    if (steps > max_steps || !rails.names_record(next)) return no_signal;
    signalled = next;
  }
  const auto& sets = data_.map.signals;
  const int set = rails[signalled].signal;
  if (!sets.sets.names_record(set)) return kWhite;
  const int step = aspect_step(signalled);
  if (restricting_only) {
    const int limit =
        rails[stopped].speed_limit > 0 ? rails[stopped].speed_limit : data_.header.map.max_speed;
    if (step >= limit) return kWhite;
  }
  const int colour = sets.sets[set].aspects[static_cast<std::size_t>(step)].colour;
  if (colour < 0 || static_cast<std::size_t>(colour) >= sets.colours.size()) return kWhite;
  const map::ColourTriple& c = sets.colours[static_cast<std::size_t>(colour)];
  return {static_cast<std::uint8_t>(c.red & 0xFF), static_cast<std::uint8_t>(c.green & 0xFF),
          static_cast<std::uint8_t>(c.blue & 0xFF)};
}

bool TrackPanel::occupied(int rail) const {
  const int dual = data_.map.rails[rail].l_dual;
  return train_on_rail(rail) != 0 ||
         (data_.map.rails.names_record(dual) && train_on_rail(dual) != 0);
}

Rgb TrackPanel::rail_colour(int rail) const {
  const auto& rails = data_.map.rails;
  const map::Rail& r = rails[rail];
  if (mode_ != RowMode::Normal) return row_mode_colour(rail);

  Rgb colour;
  if (view_.rail_view == 2) {
    colour = occupied(rail) ? kOccupied : kWhite;
  } else {
    colour = aspect_colour(rail, view_.rail_view == 1);
  }
  const auto& prails = data_.map.prails;
  if (prails.names_record(r.l_pack)) {
    const map::PRail& track = prails[r.l_pack];
    if (track.point != 0 && track.open == 0)
      colour = kClosed;
    else if (!interlocking() && r.occupant < 0)
      colour = kDimmed;
  }
  return interlocking_colour(rail, colour);
}

// A track held by another lever's route: lit along the route on an
// interlocking panel.
Rgb TrackPanel::interlocking_colour(int rail, Rgb colour) const {
  if (!interlocking()) return colour;
  const map::Rail& r = data_.map.rails[rail];
  const auto& prails = data_.map.prails;
  if (!prails.names_record(r.l_pack)) return colour;
  const int lever = prails[r.l_pack].lever;
  const auto& levers = data_.map.route_levers;
  if (lever == 0 || lever == r.route_lever || !levers.names_record(lever)) return colour;
  const map::RouteLever& l = levers[lever];
  const bool has_button = r.route_button != 0;
  if (view_.rail_view == 2) {
    if (train_on_rail(rail) != 0) return colour;
    if (has_button ? (l.lever_shown != 0 || view_.inter_view == 1) : r.direction == l.direction)
      return kHeldLit;
    return colour;
  }
  if (has_button) return colour;
  return r.direction == l.direction ? kWhite : kClosed;
}

// While rows are edited only the current row is drawn in its colours.
Rgb TrackPanel::row_mode_colour(int rail) const {
  const map::Rail& r = data_.map.rails[rail];
  if (r.row != current_row_) return kDimmed;
  Rgb colour = view_.rail_view == 2 ? (occupied(rail) ? kOccupied : kWhite)
                                    : aspect_colour(rail, view_.rail_view == 1);
  const auto& prails = data_.map.prails;
  if (!prails.names_record(r.l_pack)) return colour;
  const map::PRail& track = prails[r.l_pack];
  if (track.point != 0 && track.open == 0) return kClosed;
  if (!interlocking() && r.occupant < 0) return kDimmed;
  if (interlocking() && track.lever != 0) return kWhite;
  return colour;
}

}  // namespace vosk::panel
