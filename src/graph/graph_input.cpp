// Keys, wheel, zoom and scrolling of the train graph.
#include <algorithm>

#include "graph/graph_controller.h"

namespace vosk::graph {
namespace {

constexpr int kLastMinute = kLastGraphTime / 60;  // 1680

constexpr const char* kNoTracksShown =
    "現在は番線表示されていません。\n\n"
    "ダイヤグラムウインドウの左端の駅名の部分をクリックすると、\n"
    "該当の駅の番線が表示されます。\n";

}  // namespace

ScrollBar GraphController::scroll_bar() const {
  ScrollBar bar;
  bar.page = (end_ - start_) / 60;
  bar.position = start_ / 60;
  return bar;
}

void GraphController::set_scroll_position(int minutes) {
  const ScrollBar bar = scroll_bar();
  const int position = std::clamp(minutes, 0, std::max(0, kLastMinute + 1 - bar.page));
  start_ = position * 60;
  end_ = start_ + bar.page * 60;
  settings_.view.flattery = false;
}

void GraphController::scroll(ScrollAction action, int position) {
  const ScrollBar bar = scroll_bar();
  // Steps of a narrow view would round to nothing; one minute is the least.
  const int line = std::max(1, bar.page * 5 / 60);
  const int page = std::max(1, bar.page * 30 / 60);
  switch (action) {
    case ScrollAction::LineLeft:
      return set_scroll_position(bar.position - line);
    case ScrollAction::LineRight:
      return set_scroll_position(bar.position + line);
    case ScrollAction::PageLeft:
      return set_scroll_position(bar.position - page);
    case ScrollAction::PageRight:
      return set_scroll_position(bar.position + page);
    case ScrollAction::Track:
      return set_scroll_position(position);
    case ScrollAction::Top:
      return set_scroll_position(0);
    case ScrollAction::Bottom:
      return set_scroll_position(kLastMinute);
  }
}

void GraphController::zoom(int numerator, int denominator) {
  if (denominator <= 0 || numerator <= 0) return;
  const long long span = static_cast<long long>(end_ - start_) * numerator / denominator;
  // Never wider than the whole day: the scroll range could not hold it.
  end_ = start_ + static_cast<int>(std::clamp<long long>(span, kMinSpan, kLastGraphTime));
}

void GraphController::change_platform_ratio(int delta, Prompt& prompt) {
  const auto& targets = data_.map.targets;
  bool any = false;
  for (int n = 1; n <= targets.extent() && !any; ++n) any = targets[n].show_track_numbers;
  if (!any) prompt.tell("操作アドバイス", kNoTracksShown);
  settings_.platform_ratio = std::max(kMinPlatformRatio, settings_.platform_ratio + delta);
  dirty_ = true;
}

void GraphController::toggle_direction_shown(bool down) {
  ViewFlags& v = settings_.view;
  bool& flag = down ? v.view_down : v.view_up;
  bool& other = down ? v.view_up : v.view_down;
  flag = !flag;
  if (!flag && !other) other = true;
}

void GraphController::wheel(int steps, bool shift) {
  if (steps == 0) return;
  if (shift) {
    scroll(steps > 0 ? ScrollAction::PageRight : ScrollAction::PageLeft);
  } else if (steps > 0) {
    next_display_target();
  } else {
    previous_display_target();
  }
}

bool GraphController::key(GraphKey key, KeyModifiers mods, Prompt& prompt) {
  switch (key) {
    case GraphKey::Left:
    case GraphKey::Right: {
      const bool right = key == GraphKey::Right;
      if (mods.ctrl) {
        // Right narrows the span (zoom in), left widens it.
        if (right) {
          zoom(mods.shift ? 14 : 8, 16);
        } else {
          zoom(16, mods.shift ? 14 : 8);
        }
      } else if (mods.shift) {
        scroll(right ? ScrollAction::LineRight : ScrollAction::LineLeft);
      } else {
        scroll(right ? ScrollAction::PageRight : ScrollAction::PageLeft);
      }
      return true;
    }
    case GraphKey::Up:
    case GraphKey::Down:
      if (!mods.shift) return false;
      change_platform_ratio(key == GraphKey::Up ? kPlatformRatioStep : -kPlatformRatioStep, prompt);
      return true;
    case GraphKey::Tab:
      next_display_target();
      return true;
    case GraphKey::Escape:
      if (mode_ == GraphMode::DisplayTarget) {
        selected_target_ = 0;
      } else {
        selected_ = 0;
      }
      return true;
    case GraphKey::Other:
      break;
  }
  return false;
}

}  // namespace vosk::graph
