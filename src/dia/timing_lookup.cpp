#include "dia/timing_lookup.h"

#include "dia/running_time.h"
#include "dia/speed_type.h"

namespace vosk::dia {

std::size_t TimingLookup::KeyHash::operator()(const Key& k) const {
  std::uint64_t h = static_cast<std::uint32_t>(k.a);
  h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(k.b);
  h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(k.c);
  h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(k.d);
  return static_cast<std::size_t>(h ^ (h >> 29));
}

TimingLookup::TimingLookup(const MapTablesRef& map, const ClassificationTables& tables,
                           const TimingSettings& settings)
    : map_(map), tables_(tables), settings_(settings) {}

const TimingLookup::Index& TimingLookup::running_index(int speed_type) const {
  auto slot = static_cast<std::size_t>(speed_type);
  if (running_.size() <= slot) {
    running_.resize(slot + 1);
    running_built_.resize(slot + 1, false);
  }
  if (!running_built_[slot]) {
    Index& index = running_[slot];
    for (const RunningTime& e : tables_.speed_types[speed_type].running_times) {
      // The first entry of a key answers, as a scan of the list would.
      index.try_emplace(Key{e.from_rail, e.to_rail, e.kind, 0}, e.seconds);
    }
    running_built_[slot] = true;
  }
  return running_[slot];
}

int TimingLookup::running_time(int from_rail, int to_rail, int event_type, int speed_type) const {
  if (!tables_.speed_types.names_record(speed_type)) return 0;
  const Index& index = running_index(speed_type);
  auto it = index.find(Key{from_rail, to_rail, running_time_kind(event_type), 0});
  return it == index.end() ? 0 : it->second;
}

int TimingLookup::typed_lookup(int rail, int kind, int train_type, int speed_type) const {
  // Only the types the lookup uses make answers differ.
  if (settings_.stop.per_speed_type) {
    train_type = 0;
  } else {
    speed_type = 0;
  }
  Key key{rail, kind, train_type, speed_type};
  auto it = stop_answers_.find(key);
  if (it != stop_answers_.end()) return it->second;
  StopTimeQuery query;
  query.rail = rail;
  query.rail_target = map_.rail_target(rail);
  query.kind = kind;
  query.train_type = train_type;
  query.speed_type = speed_type;
  int seconds = standard_stop_time(tables_.stop_times, settings_.stop, query);
  stop_answers_.emplace(key, seconds);
  return seconds;
}

int TimingLookup::stop_time(int rail, int train_type, int speed_type) const {
  return typed_lookup(rail, kStopTime, train_type, speed_type);
}

int TimingLookup::turnback_time(int rail, int train_type, int speed_type) const {
  return typed_lookup(rail, kTurnbackTime, train_type, speed_type);
}

int TimingLookup::plain_stop_time(int rail) const {
  // Kind -1 keeps these answers apart from the typed ones.
  Key key{rail, -1, 0, 0};
  auto it = stop_answers_.find(key);
  if (it != stop_answers_.end()) return it->second;
  int seconds = dia::plain_stop_time(tables_.stop_times, settings_.stop, rail,
                                     map_.rail_target(rail), kStopTime);
  stop_answers_.emplace(key, seconds);
  return seconds;
}

}  // namespace vosk::dia
