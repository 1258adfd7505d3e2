#pragma once
// The busy lock: while one window runs a modal operation (a file dialog, a
// message box, a long edit), every other window refuses file commands,
// quitting and panel operations, naming the busy window. It guards against
// re-entry through other windows, not against threads.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/prompt.h"

namespace vosk::shell {

enum class BusyState : int {
  Free = 0,
  MainWindow = 1,
  DiaEditWindow = 2,
  TrainGraphWindow = 3,
  TimetableWindow = 4,
  CrossSectionWindow = 5,  // transport cross-section (passengers)
  UnitWorkingDialog = 6,   // unit and working settings dialog
};

enum class WindowKind { MainWindow, DiaEditWindow, TrainGraphWindow, TimetableWindow, Other };

// The state a window takes when it locks: main 1, dia edit 2, train graph 3,
// timetable 4, any other window 0 (it names a state explicitly instead).
BusyState owner_state(WindowKind kind);

inline constexpr const char* kBusyCaption = "操作エラー";

// Refusal text for a held state (UTF-8, ending in "\n"); nullopt for Free.
std::optional<std::string> busy_refusal_text(BusyState state);

class BusyLock {
 public:
  BusyState state() const { return state_; }
  bool held() const { return state_ != BusyState::Free; }

  // True when free. Otherwise tells the state's refusal with the caption
  // "操作エラー" and returns false; nothing else changes.
  bool check(Prompt& prompt) const;

  // Takes the lock for `state` and forgets the windows hidden before.
  void lock(BusyState state);

  // Remembers a window hidden for the operation; `show_again` is called at
  // unlock.
  void add_hidden_window(std::function<void()> show_again);

  // Frees the lock and shows the hidden windows again, last hidden first.
  void unlock();

 private:
  BusyState state_ = BusyState::Free;
  std::vector<std::function<void()>> hidden_;
};

// Lock for the lifetime of a scope: lock(state) ... unlock().
class BusyScope {
 public:
  BusyScope(BusyLock& lock, BusyState state) : lock_(lock) { lock_.lock(state); }
  ~BusyScope() { lock_.unlock(); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  BusyLock& lock_;
};

}  // namespace vosk::shell
