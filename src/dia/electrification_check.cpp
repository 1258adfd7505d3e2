#include "dia/electrification_check.h"

#include "base/sjis.h"
#include "dia/check_text.h"
#include "map/electrification.h"

namespace vosk::dia {
namespace {

const char* const kHeading = "電化方式が違います。";

const Cp932Template& heading() {
  static const Cp932Template text(kHeading);
  return text;
}

const Cp932Template& cannot_enter() {
  static const Cp932Template text("%s(%s %s編成)は%s(%s)から先に入れません。");
  return text;
}

// The place as the message window names it.
std::string_view place_name(const MapTablesRef& map, const map::Rail& rail) {
  if (map.targets.names_record(rail.target)) return map.targets[rail.target].name;
  return rail.name;
}

}  // namespace

ElectrificationCheck check_electrification(const CheckContext& ctx, int n, bool use_electri,
                                           CheckReport& report) {
  ElectrificationCheck result;
  const Diagram* d = ctx.run(n);
  if (!use_electri || d == nullptr || d->pattern_template != 0) return result;
  const stock::Series* series = ctx.series_of(n);
  const Unit* unit = ctx.formation_of(n);
  if (series == nullptr || unit == nullptr) return result;
  const MapTablesRef& map = ctx.map();
  for (std::size_t i = 0; i < d->event_count(); ++i) {
    int rail = d->events[i].rail;
    const map::PRail* track = map.track_of(rail);
    if (track == nullptr) continue;
    int system = track->electrification;
    if (system < 0 || system >= map::kElectrificationCount) continue;
    if (series->electrification[static_cast<std::size_t>(system)] != 0) continue;
    std::string system_name =
        sjis::from_utf8_lossy(map::kElectrificationLabels[static_cast<std::size_t>(system)]);
    const map::Rail& r = map.rails[rail];
    auto line = [&](std::string_view place) {
      return cannot_enter().fill({d->train_number, series->name, unit->name, place, system_name});
    };
    report.line(heading().text());
    report.line(line(place_name(map, r)));
    result.ok = false;
    result.rail = rail;
    result.box_text = std::string(kHeading) + "\n" + sjis::to_utf8_lossy(line(r.name));
    return result;
  }
  return result;
}

}  // namespace vosk::dia
