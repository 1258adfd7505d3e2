#include "passengers/passenger_controller.h"

#include <algorithm>

#include "base/sjis.h"
#include "base/time_text.h"
#include "dia/passenger.h"

namespace vosk::passengers {
namespace {

constexpr const char* kReverseRefused = "指定以外各駅を発駅に設定することは出来ません。\n";
constexpr const char* kReverseCaption = "発駅指定エラー";
constexpr const char* kNothingToCopy = "コピーするデータがありません。";
constexpr const char* kNothingCopied = "コピー元のデータがありません。";

constexpr int kTimeStep = 1800;      // Left / Right
constexpr int kCountScaleStep = 2;   // Up / Down
constexpr int kTimeScaleStep = 20;   // 横拡大 / 横縮小
constexpr int kSimulationStep = 10;  // the per-hour and per-train buttons

constexpr HeaderButton kButtons[] = {
    {PassengerCommand::NextFrom, "発駅", {8, 8, 58, 30}},
    {PassengerCommand::NextTo, "着駅", {300, 8, 350, 30}},
    {PassengerCommand::Reverse, "逆方向", {600, 8, 670, 30}},
    {PassengerCommand::ScaleUp, "＋", {200, 38, 226, 60}},
    {PassengerCommand::ScaleDown, "－", {228, 38, 254, 60}},
    {PassengerCommand::PerHourUp, "＋", {340, 68, 366, 90}},
    {PassengerCommand::PerHourDown, "－", {368, 68, 394, 90}},
    {PassengerCommand::PerTrainUp, "＋", {560, 68, 586, 90}},
    {PassengerCommand::PerTrainDown, "－", {588, 68, 614, 90}},
};

constexpr MenuEntry kMenu[] = {
    {PassengerCommand::ZoomIn, "横拡大"},
    {PassengerCommand::ZoomOut, "横縮小"},
    {PassengerCommand::ChooseStations, "発着駅選択"},
    {PassengerCommand::Copy, "コピー"},
    {PassengerCommand::Paste, "貼り付け"},
};

// Passenger values never go below none.
void adjust(int& value, int delta) { value = std::max(0, value + delta); }

}  // namespace

int time_at(int x, int seconds_per_pixel, int left_time) {
  return (x * seconds_per_pixel + left_time + 300) / 600 * 600;
}

PassengerController::PassengerController(datafiles::DataSet& data) : data_(data) {
  from_ = station_count() > 0 ? 1 : 0;
}

std::span<const HeaderButton> PassengerController::buttons() { return kButtons; }
std::span<const MenuEntry> PassengerController::menu() { return kMenu; }

map::Station* PassengerController::from_record() {
  return data_.map.stations.names_record(from_) ? &data_.map.stations[from_] : nullptr;
}

void PassengerController::data_changed() {
  const int n = station_count();
  if (from_ < 1 || from_ > n) from_ = n > 0 ? 1 : 0;
  if (to_ < 0 || to_ > n || to_ == from_) to_ = 0;
}

bool PassengerController::choose_stations(int from, int to) {
  const int n = station_count();
  if (from < 1 || from > n || to < 0 || to > n || from == to) return false;
  from_ = from;
  to_ = to;
  return true;
}

Outcome PassengerController::run(PassengerCommand command, Prompt& prompt) {
  dia::PassengerList& list = data_.classification.passengers;
  const int n = station_count();
  switch (command) {
    case PassengerCommand::NextFrom:
      for (int k = 0, f = from_; k < n; ++k) {
        f = f % n + 1;
        if (f != to_) {
          from_ = f;
          break;
        }
      }
      return Outcome::Redraw;
    case PassengerCommand::NextTo:
      for (int k = 0, t = to_; k <= n; ++k) {
        t = (t + 1) % (n + 1);
        if (t != from_) {
          to_ = t;
          break;
        }
      }
      return Outcome::Redraw;
    case PassengerCommand::Reverse:
      if (to_ == 0) {
        prompt.tell(kReverseCaption, kReverseRefused);
        return Outcome::Redraw;
      }
      std::swap(from_, to_);
      return Outcome::Redraw;
    case PassengerCommand::ScaleUp:
    case PassengerCommand::ScaleDown:
      if (profile_of(list, from_, to_).empty()) return Outcome::Redraw;
      dia::scale_passenger_pair(list, from_, to_,
                                command == PassengerCommand::ScaleUp ? kScaleUp : kScaleDown);
      return Outcome::DataChanged;
    case PassengerCommand::PerHourUp:
    case PassengerCommand::PerHourDown:
    case PassengerCommand::PerTrainUp:
    case PassengerCommand::PerTrainDown: {
      map::Station* station = from_record();
      if (!station) return Outcome::Redraw;
      const bool up =
          command == PassengerCommand::PerHourUp || command == PassengerCommand::PerTrainUp;
      const bool hour =
          command == PassengerCommand::PerHourUp || command == PassengerCommand::PerHourDown;
      adjust(hour ? station->passengers_per_hour : station->passengers_per_train,
             up ? kSimulationStep : -kSimulationStep);
      return Outcome::DataChanged;
    }
    case PassengerCommand::Earlier:
      left_ = std::max(0, left_ - kTimeStep);
      return Outcome::Redraw;
    case PassengerCommand::Later:
      left_ = std::min(timetext::kMaxInput, left_ + kTimeStep);
      return Outcome::Redraw;
    case PassengerCommand::FewerPerPixel:
      passengers_per_pixel_ = std::max(kCountScaleStep, passengers_per_pixel_ - kCountScaleStep);
      return Outcome::Redraw;
    case PassengerCommand::MorePerPixel:
      passengers_per_pixel_ += kCountScaleStep;
      return Outcome::Redraw;
    case PassengerCommand::ZoomIn:
      seconds_per_pixel_ = std::max(kTimeScaleStep, seconds_per_pixel_ - kTimeScaleStep);
      return Outcome::Redraw;
    case PassengerCommand::ZoomOut:
      seconds_per_pixel_ += kTimeScaleStep;
      return Outcome::Redraw;
    case PassengerCommand::ChooseStations:
      // The widget shows the dialog; nothing to do without it.
      return Outcome::NotHandled;
    case PassengerCommand::Copy: {
      Profile profile = profile_of(list, from_, to_);
      if (profile.empty() || from_ == 0) {
        prompt.tell(caption::kOperationError, kNothingToCopy);
        return Outcome::Redraw;
      }
      copy_ = std::move(profile);
      return Outcome::Redraw;
    }
    case PassengerCommand::Paste:
      if (!copy_) {
        prompt.tell(caption::kOperationError, kNothingCopied);
        return Outcome::Redraw;
      }
      if (from_ == 0) return Outcome::Redraw;
      replace_profile(list, from_, to_, *copy_);
      return Outcome::DataChanged;
  }
  return Outcome::NotHandled;
}

Outcome PassengerController::key(PassengerKey key, Prompt& prompt) {
  switch (key) {
    case PassengerKey::F2:
      return run(PassengerCommand::NextFrom, prompt);
    case PassengerKey::F5:
      return run(PassengerCommand::PerHourUp, prompt);
    case PassengerKey::F6:
      return run(PassengerCommand::PerHourDown, prompt);
    case PassengerKey::F7:
      return run(PassengerCommand::PerTrainUp, prompt);
    case PassengerKey::F8:
      return run(PassengerCommand::PerTrainDown, prompt);
    case PassengerKey::Left:
      return run(PassengerCommand::Earlier, prompt);
    case PassengerKey::Right:
      return run(PassengerCommand::Later, prompt);
    case PassengerKey::Up:
      return run(PassengerCommand::FewerPerPixel, prompt);
    case PassengerKey::Down:
      return run(PassengerCommand::MorePerPixel, prompt);
    case PassengerKey::Other:
      return Outcome::NotHandled;
  }
  return Outcome::NotHandled;
}

std::optional<ProfilePoint> PassengerController::point_at(Point at) const {
  if (at.y < kHeaderHeight) return std::nullopt;
  const int time = time_at(at.x, seconds_per_pixel_, left_);
  const int count = std::max(0, (client_.height - at.y - kBottomMargin) * passengers_per_pixel_);
  return ProfilePoint{time, count};
}

bool PassengerController::left_click(Point at) {
  const std::optional<ProfilePoint> p = point_at(at);
  if (!p || from_ == 0) return false;
  return dia::set_passenger_count(data_.classification.passengers, from_, to_, p->time, p->count);
}

bool PassengerController::right_click(Point at) {
  const std::optional<ProfilePoint> p = point_at(at);
  if (!p || from_ == 0) return false;
  return remove_passenger_point(data_.classification.passengers, from_, to_, p->time);
}

std::string PassengerController::station_name(int station) const {
  if (station == 0) return "指定以外各駅";
  if (!data_.map.stations.names_record(station)) return "";
  const map::Station& s = data_.map.stations[station];
  return sjis::to_utf8_lossy(s.name.empty() ? s.short_name : s.name);
}

}  // namespace vosk::passengers
