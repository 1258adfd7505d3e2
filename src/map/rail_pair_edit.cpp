#include "map/rail_pair_edit.h"

#include <cstdlib>
#include <optional>

#include "base/sjis.h"
#include "map/member_columns.h"
#include "map/point_key.h"

namespace vosk::map {
namespace {

// Closest a stopping mark may lie to either end of its section, in metres.
constexpr int kStopMargin = 5;

EditResult refused(std::string caption, std::string text, int field = kRailNoField) {
  return {EditResult::Status::Refused, {std::move(caption), std::move(text), field}};
}

EditResult input_error(const char* text, int field) {
  return refused(caption::kInputDataError, text, field);
}

std::optional<EditResult> check_stop_distance(int distance, int length, int field) {
  if (distance < kStopMargin) return input_error("停止目標距離が小さすぎます。\n", field);
  if (distance > length - kStopMargin) {
    return input_error("停止目標距離が区間距離に比べて大きすぎます。\n", field);
  }
  return std::nullopt;
}

std::optional<EditResult> check_stop_distances(const RailPairInput& input) {
  int left = input.leftward.stop_distance;
  int right = input.rightward.stop_distance;
  if (left != 0) {
    if (auto e = check_stop_distance(left, input.length, kRailLeftwardStop)) return e;
    if (right != 0) return check_stop_distance(right, input.length, kRailRightwardStop);
    return std::nullopt;
  }
  if (right == 0) return input_error("停止目標距離が設定されていません。\n", kRailRightwardStop);
  return check_stop_distance(right, input.length, kRailRightwardStop);
}

// The point of the clicked rail's track, 0 when it lies on none.
int point_of(int clicked, const RecordTable<Rail>& rails, const RecordTable<PRail>& prails,
             const RecordTable<Point>& points) {
  int pack = rails[clicked].l_pack;
  if (!prails.names_record(pack)) return 0;
  int point = prails[pack].point;
  return points.names_record(point) ? point : 0;
}

void apply_side(Rail& rail, const RailPairInput& input, const RailSideInput& side, int station,
                int stop_distance) {
  rail.target = input.target;
  rail.station = station;
  rail.area = input.area;
  rail.signal = side.signal;
  rail.speed_limit = input.speed_limit_on ? input.speed_limit : 0;
  rail.length = input.length;
  rail.stop_distance = stop_distance;
  rail.short_name = sjis::cut(side.short_name, kShortTextBytes);
  rail.name = sjis::cut(side.name, kLongTextBytes);
}

}  // namespace

RailPair rail_pair_of(const RecordTable<Rail>& rails, int clicked) {
  RailPair pair;
  if (!rails.names_record(clicked)) return pair;
  int dual = std::abs(rails[clicked].l_dual);
  int other = dual != clicked && rails.names_record(dual) ? dual : 0;
  if (rails[clicked].direction == 1) {
    pair.leftward = clicked;
    pair.rightward = other;
  } else {
    pair.rightward = clicked;
    pair.leftward = other;
  }
  return pair;
}

RailPairInput rail_pair_values(int clicked, const RecordTable<Rail>& rails,
                               const RecordTable<PRail>& prails, const RecordTable<Point>& points) {
  RailPairInput input;
  if (!rails.names_record(clicked)) return input;
  RailPair pair = rail_pair_of(rails, clicked);
  const Rail& rail = rails[clicked];
  input.target = rail.target;
  input.area = rail.area;
  input.length = rail.length;
  input.speed_limit_on = rail.speed_limit != 0;
  input.speed_limit = rail.speed_limit;
  if (pair.leftward != 0) {
    input.gradient = -rails[pair.leftward].gradient;
    input.radius = -rails[pair.leftward].radius;
  } else {
    input.gradient = rail.gradient;
    input.radius = rail.radius;
  }
  if (prails.names_record(rail.l_pack)) {
    input.single_track = prails[rail.l_pack].single_track != 0;
    input.electrification = prails[rail.l_pack].electrification;
  }
  if (int point = point_of(clicked, rails, prails, points)) input.point_key = points[point].key;
  auto side_values = [&](int r, RailSideInput& side) {
    if (r == 0) return;
    side.short_name = rails[r].short_name;
    side.name = rails[r].name;
    side.stop_distance = rails[r].stop_distance;
    side.signal = rails[r].signal;
  };
  side_values(pair.leftward, input.leftward);
  side_values(pair.rightward, input.rightward);
  return input;
}

EditResult edit_rail_pair(int clicked, const RailPairInput& input, RecordTable<Rail>& rails,
                          RecordTable<PRail>& prails, RecordTable<Point>& points,
                          const RecordTable<Target>& targets, Prompt& prompt) {
  // The dialog offers only existing records; anything else is a caller fault.
  if (!rails.names_record(clicked) || !targets.contains(input.target) ||
      !targets.contains(input.area)) {
    return refused(caption::kOperationError, "指定されたレコードが存在しません。\n");
  }
  if (input.speed_limit_on && input.speed_limit <= 0) {
    return input_error("制限速度は、正の値でなければなりません。\n", kRailSpeedLimit);
  }
  if (input.length <= 0) {
    return input_error("区間距離は、正の値でなければなりません。\n", kRailLength);
  }
  if (input.target != 0) {
    if (auto e = check_stop_distances(input)) return *e;
  }
  int point = point_of(clicked, rails, prails, points);
  std::string key(sjis::cut(input.point_key, kShortTextBytes));
  if (point != 0) {
    if (auto e = check_point_key(points, point, key)) {
      return refused(e->caption, e->text, kRailPointKey);
    }
  }
  if (input.target != 0 && input.gradient != 0) {
    Answer answer =
        prompt.ask("設定確認",
                   "停車区画に勾配を設定すると正しく発車や停車ができない場合があります。"
                   "\nよろしいですか？",
                   Buttons::YesNo);
    if (answer != Answer::Yes) return {EditResult::Status::Declined, {}};
  }

  if (point != 0) points[point].key = key;
  // Stop distances belong to rails in a stopping place: one already there, or
  // one given a target now (which cannot be stored without a stop distance).
  bool had_stop =
      rails[clicked].station != 0 || rails[clicked].target != 0 || input.target != 0;
  int station = input.target != 0 ? targets[input.target].station : 0;
  RailPair pair = rail_pair_of(rails, clicked);
  if (pair.rightward != 0) {
    Rail& right = rails[pair.rightward];
    apply_side(right, input, input.rightward, station,
               had_stop ? input.rightward.stop_distance : 0);
    right.gradient = input.gradient;
    right.radius = input.radius;
  }
  if (pair.leftward != 0) {
    Rail& left = rails[pair.leftward];
    apply_side(left, input, input.leftward, station, had_stop ? input.leftward.stop_distance : 0);
    left.gradient = -input.gradient;
    left.radius = -input.radius;
  }
  int pack = rails[clicked].l_pack;
  if (prails.names_record(pack)) {
    prails[pack].single_track = input.single_track ? 1 : 0;
    prails[pack].electrification = input.electrification;
  }
  return {};
}

}  // namespace vosk::map
