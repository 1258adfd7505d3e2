#include "shell/busy_lock.h"

#include <gtest/gtest.h>

#include "support/scripted_prompt.h"

namespace vosk::shell {
namespace {

struct LockCase {
  BusyState state;
  const char* text;
};

void PrintTo(const LockCase& c, std::ostream* os) { *os << static_cast<int>(c.state); }

class Shell_BusyLockTextTests : public ::testing::TestWithParam<LockCase> {};

TEST_P(Shell_BusyLockTextTests, HeldStateRefusesWithItsText) {
  BusyLock lock;
  lock.lock(GetParam().state);
  testing::ScriptedPrompt prompt;
  EXPECT_FALSE(lock.check(prompt));
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "操作エラー");
  EXPECT_EQ(prompt.last().text, GetParam().text);
  EXPECT_EQ(prompt.last().buttons, Buttons::Ok);
  EXPECT_EQ(lock.state(), GetParam().state);  // a refusal changes nothing
}

INSTANTIATE_TEST_SUITE_P(
    States, Shell_BusyLockTextTests,
    ::testing::Values(
        LockCase{BusyState::MainWindow, "メインウインドウが作業中です。\n"},
        LockCase{BusyState::DiaEditWindow, "ダイヤ編集ウインドウが作業中です。\n"},
        LockCase{BusyState::TrainGraphWindow, "ダイヤグラムウインドウが作業中です。\n"},
        LockCase{BusyState::TimetableWindow, "時刻表ウインドウが作業中です。\n"},
        LockCase{BusyState::CrossSectionWindow, "輸送断面ウインドウが作業中です。\n"},
        LockCase{BusyState::UnitWorkingDialog, "編成・仕業設定ダイアログが作業中です。\n"}));

TEST(Shell_BusyLockTests, FreeLockProceedsSilently) {
  BusyLock lock;
  testing::ScriptedPrompt prompt;
  EXPECT_TRUE(lock.check(prompt));
  lock.lock(BusyState::MainWindow);
  lock.unlock();
  EXPECT_TRUE(lock.check(prompt));
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_FALSE(busy_refusal_text(BusyState::Free));
}

TEST(Shell_BusyLockTests, UnlockShowsHiddenWindowsLastFirst) {
  BusyLock lock;
  std::vector<int> shown;
  lock.lock(BusyState::TimetableWindow);
  lock.add_hidden_window([&] { shown.push_back(1); });
  lock.add_hidden_window([&] { shown.push_back(2); });
  lock.add_hidden_window([&] { shown.push_back(3); });
  lock.unlock();
  EXPECT_EQ(shown, (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(lock.state(), BusyState::Free);
  lock.unlock();  // the list is used once
  EXPECT_EQ(shown.size(), 3u);
}

TEST(Shell_BusyLockTests, LockForgetsWindowsHiddenBefore) {
  BusyLock lock;
  int shown = 0;
  lock.lock(BusyState::MainWindow);
  lock.add_hidden_window([&] { ++shown; });
  lock.lock(BusyState::DiaEditWindow);
  lock.unlock();
  EXPECT_EQ(shown, 0);
}

TEST(Shell_BusyLockTests, ShowingAWindowMayLockAgain) {
  BusyLock lock;
  lock.lock(BusyState::MainWindow);
  lock.add_hidden_window([&] { lock.lock(BusyState::TrainGraphWindow); });
  lock.unlock();
  EXPECT_EQ(lock.state(), BusyState::TrainGraphWindow);
}

TEST(Shell_BusyLockTests, ScopeLocksAndUnlocks) {
  BusyLock lock;
  {
    BusyScope scope(lock, owner_state(WindowKind::MainWindow));
    EXPECT_EQ(lock.state(), BusyState::MainWindow);
  }
  EXPECT_FALSE(lock.held());
}

TEST(Shell_BusyLockTests, OwnerStateOfEachWindowKind) {
  EXPECT_EQ(owner_state(WindowKind::MainWindow), BusyState::MainWindow);
  EXPECT_EQ(owner_state(WindowKind::DiaEditWindow), BusyState::DiaEditWindow);
  EXPECT_EQ(owner_state(WindowKind::TrainGraphWindow), BusyState::TrainGraphWindow);
  EXPECT_EQ(owner_state(WindowKind::TimetableWindow), BusyState::TimetableWindow);
  EXPECT_EQ(owner_state(WindowKind::Other), BusyState::Free);
  EXPECT_EQ(static_cast<int>(BusyState::UnitWorkingDialog), 6);
}

}  // namespace
}  // namespace vosk::shell
