#include "shell/busy_lock.h"

namespace vosk::shell {

BusyState owner_state(WindowKind kind) {
  switch (kind) {
    case WindowKind::MainWindow:
      return BusyState::MainWindow;
    case WindowKind::DiaEditWindow:
      return BusyState::DiaEditWindow;
    case WindowKind::TrainGraphWindow:
      return BusyState::TrainGraphWindow;
    case WindowKind::TimetableWindow:
      return BusyState::TimetableWindow;
    case WindowKind::Other:
      break;
  }
  return BusyState::Free;
}

std::optional<std::string> busy_refusal_text(BusyState state) {
  switch (state) {
    case BusyState::Free:
      break;
    case BusyState::MainWindow:
      return "メインウインドウが作業中です。\n";
    case BusyState::DiaEditWindow:
      return "ダイヤ編集ウインドウが作業中です。\n";
    case BusyState::TrainGraphWindow:
      return "ダイヤグラムウインドウが作業中です。\n";
    case BusyState::TimetableWindow:
      return "時刻表ウインドウが作業中です。\n";
    case BusyState::CrossSectionWindow:
      return "輸送断面ウインドウが作業中です。\n";
    case BusyState::UnitWorkingDialog:
      return "編成・仕業設定ダイアログが作業中です。\n";
  }
  return std::nullopt;
}

bool BusyLock::check(Prompt& prompt) const {
  auto refusal = busy_refusal_text(state_);
  if (!refusal) return true;
  prompt.tell(kBusyCaption, *refusal);
  return false;
}

void BusyLock::lock(BusyState state) {
  state_ = state;
  hidden_.clear();
}

void BusyLock::add_hidden_window(std::function<void()> show_again) {
  hidden_.push_back(std::move(show_again));
}

void BusyLock::unlock() {
  state_ = BusyState::Free;
  // Take the list first: showing a window may lock again.
  std::vector<std::function<void()>> hidden;
  hidden.swap(hidden_);
  for (auto it = hidden.rbegin(); it != hidden.rend(); ++it)
    if (*it) (*it)();
}

}  // namespace vosk::shell
