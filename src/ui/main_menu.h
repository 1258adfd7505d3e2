#pragma once
// The main window's menu bar: every item with its command id, its Japanese
// text (fixed) and our English text, built as QActions keyed by id.
#include <QAction>
#include <QMenuBar>
#include <map>
#include <span>

#include "shell/language.h"

namespace vosk::ui {

// Command ids of the main menu. Items named in the settings keep the ids the
// settings file and other windows know them by.
namespace cmd {
inline constexpr int kImportWinDia = 40348;
inline constexpr int kOpenDia = 40026;
inline constexpr int kSaveDia = 40030;
inline constexpr int kSaveDiaAs = 40041;
inline constexpr int kQuit = 40073;
inline constexpr int kDiaEdit = 40033;
inline constexpr int kDeleteTemporaryDia = 40039;
inline constexpr int kDiaView = 40034;
inline constexpr int kNumberByUnit = 40302;
inline constexpr int kNumberSerial = 40335;
inline constexpr int kUnitAndStandardTimes = 40243;
inline constexpr int kTrainTypes = 40225;
inline constexpr int kStandardStopTimes = 40127;
inline constexpr int kSpeedTypes = 40040;
inline constexpr int kDiaProperty = 40261;
inline constexpr int kFontSetting = 40444;
inline constexpr int kToolWindow = 40485;
inline constexpr int kInetCheck = 40226;
inline constexpr int kMessageWindow = 40132;
inline constexpr int kTimetableWindow = 40356;
inline constexpr int kTrainGraphWindow = 40035;
inline constexpr int kStationInfo = 40162;
inline constexpr int kManual = 40075;
inline constexpr int kEnquete = 40076;
inline constexpr int kHomePage = 40074;
inline constexpr int kAbout = 57664;
// Commands of this program without a number of their own in the settings.
inline constexpr int kWarningSettings = 41001;
inline constexpr int kSimulationStart = 41010;
inline constexpr int kSimulationStop = 41011;
inline constexpr int kFastSimulation = 41012;
inline constexpr int kRollback = 41013;
inline constexpr int kInitialState = 41014;
// The main window's track panel: row commands and zoom.
inline constexpr int kAutoRow = 41020;
inline constexpr int kClearRow = 41021;
inline constexpr int kAdjustSpan = 41022;
inline constexpr int kRowPause = 41023;
inline constexpr int kRowPosition = 41024;
inline constexpr int kWiderX = 41025;
inline constexpr int kNarrowerX = 41026;
inline constexpr int kTallerY = 41027;
inline constexpr int kShorterY = 41028;
// The passenger edit window.
inline constexpr int kPassengerWindow = 41030;
// 編成・仕業設定: the duties and their formations (no menu of its own elsewhere).
inline constexpr int kFormations = 41031;
}  // namespace cmd

enum class ItemKind { Command, Check, Radio, Separator, Submenu, EndSubmenu, Menu };

struct MenuItemDef {
  ItemKind kind;
  int id;  // 0 for separators and menus
  const char* japanese;
  const char* english;
  int radio_group = 0;  // items with the same nonzero group exclude each other
};

// The menu bar in order. Menu opens a top-level menu (closed by the next
// Menu), Submenu ... EndSubmenu nest.
std::span<const MenuItemDef> main_menu_items();

// The menu bar built on `bar`, with an action for every item id. Radio
// items of a group show one mark at most; the caller sets the marks from the
// settings after every command, so a second click cannot clear a mark.
std::map<int, QAction*> build_menu_bar(QMenuBar& bar, shell::UiLanguage language);

}  // namespace vosk::ui
