#include "ui/main_menu.h"

#include <QActionGroup>
#include <QMenu>
#include <vector>

namespace vosk::ui {

namespace {

using K = ItemKind;

constexpr int kSpeedGroup = 1;
constexpr int kViewTypeGroup = 2;
constexpr int kViewForGroup = 3;
constexpr int kViewSpeedGroup = 4;

// Speed menu labels are the same in both languages.
#define VOSK_SPEED(id, label) {K::Radio, id, label, label, kSpeedGroup}

constexpr MenuItemDef kItems[] = {
    {K::Menu, 0, "ファイル(&F)", "&File"},
    {K::Command, cmd::kOpenDia, "ダイヤデータを開く(&O)", "&Open Dia..."},
    {K::Command, cmd::kSaveDia, "ダイヤデータを上書き保存(&S)", "&Save Dia"},
    {K::Command, cmd::kSaveDiaAs, "ダイヤデータを別名で保存(&A)", "Save Dia &As..."},
    {K::Separator, 0, "", ""},
    {K::Command, cmd::kImportWinDia, "ダイヤデータインポート(&O)", "&Import WinDIA Data..."},
    {K::Separator, 0, "", ""},
    {K::Command, cmd::kQuit, "終了(&Q)", "&Quit"},

    {K::Menu, 0, "ダイヤ(&D)", "&Dia"},
    {K::Check, cmd::kDiaEdit, "ダイヤ編集(&E)", "&Edit Dia"},
    {K::Command, cmd::kDiaView, "ダイヤ表示(&V)", "&View Dia"},
    {K::Command, cmd::kDeleteTemporaryDia, "臨時ダイヤ削除(&D)", "&Delete Extra Runs"},
    {K::Separator, 0, "", ""},
    {K::Submenu, 0, "列車番号自動設定(&A)", "&Automatic Train Numbers"},
    {K::Command, cmd::kNumberByUnit, "編成毎(&A)", "By &Unit"},
    {K::Command, cmd::kNumberSerial, "通し番号(&S)", "&Serial"},
    {K::EndSubmenu, 0, "", ""},
    {K::Separator, 0, "", ""},
    {K::Command, cmd::kUnitAndStandardTimes, "単位・標準時間設定(&U)", "&Units and Standard Times..."},
    {K::Command, cmd::kTrainTypes, "列車種別設定(&T)", "&Train Types..."},
    {K::Command, cmd::kStandardStopTimes, "標準停車時間設定(&W)", "Standard Stop &Times..."},
    {K::Command, cmd::kSpeedTypes, "速度種別設定(&V)", "Speed T&ypes..."},
    {K::Command, cmd::kDiaProperty, "ダイヤプロパティ(P)", "Dia &Properties..."},
    {K::Command, cmd::kFormations, "編成・仕業設定(&F)", "&Formations and Duties..."},

    // Simulation commands belong to the simulators; here they do nothing.
    {K::Menu, 0, "運転(&R)", "&Run"},
    {K::Command, cmd::kSimulationStart, "シミュレーション開始(&S)", "&Start Simulation"},
    {K::Command, cmd::kSimulationStop, "シミュレーション停止(&T)", "S&top Simulation"},
    {K::Command, cmd::kFastSimulation, "高速シミュレート(&F)", "&Fast Simulation"},
    {K::Command, cmd::kRollback, "ロールバック(&R)", "&Rollback..."},
    {K::Command, cmd::kInitialState, "初期状態(&I)", "&Initial State"},
    {K::Separator, 0, "", ""},
    {K::Submenu, 0, "時計の速さ(&C)", "&Clock Speed"},
    VOSK_SPEED(40003, "0.5x"),
    VOSK_SPEED(40004, "1x"),
    VOSK_SPEED(40005, "1.5x"),
    VOSK_SPEED(40006, "2x"),
    VOSK_SPEED(40007, "3x"),
    VOSK_SPEED(40008, "4x"),
    VOSK_SPEED(40009, "6x"),
    VOSK_SPEED(40010, "8x"),
    VOSK_SPEED(40011, "10x"),
    VOSK_SPEED(40012, "15x"),
    VOSK_SPEED(40013, "30x"),
    VOSK_SPEED(40016, "60x"),
    VOSK_SPEED(40129, "120x"),
    VOSK_SPEED(40130, "240x"),
    VOSK_SPEED(40240, "480x"),
    VOSK_SPEED(40241, "960x"),
    {K::EndSubmenu, 0, "", ""},

    {K::Menu, 0, "表示(&V)", "&View"},
    {K::Check, 40262, "簡易表示(&M)", "Si&mple View"},
    {K::Check, 40308, "軌道回路単位表示(&T)", "By &Track Circuit"},
    {K::Check, 40314, "乗車列車進路表示(&R)", "&Route of the Boarded Train"},
    {K::Check, 40337, "継電連動装置完全表示(&I)", "Full Relay &Interlocking View"},
    {K::Check, 40213, "列車アイコン表示(&C)", "Train I&cons"},
    {K::Separator, 0, "", ""},
    {K::Submenu, 0, "列車種別表示(&Y)", "Train T&ype on Labels"},
    {K::Radio, 40417, "なし(&N)", "&None", kViewTypeGroup},
    {K::Radio, 40418, "一文字名称(&I)", "One-&Letter Name", kViewTypeGroup},
    {K::Radio, 40419, "略記名称(&B)", "&Abbreviated Name", kViewTypeGroup},
    {K::Radio, 40420, "完全名称(&F)", "&Full Name", kViewTypeGroup},
    {K::EndSubmenu, 0, "", ""},
    {K::Submenu, 0, "行先表示(&D)", "&Destination on Labels"},
    {K::Radio, 40421, "なし(&N)", "&None", kViewForGroup},
    {K::Radio, 40422, "一文字名称(&I)", "One-&Letter Name", kViewForGroup},
    {K::Radio, 40423, "略記名称(&B)", "&Abbreviated Name", kViewForGroup},
    {K::Radio, 40424, "完全名称(&F)", "&Full Name", kViewForGroup},
    {K::EndSubmenu, 0, "", ""},
    {K::Submenu, 0, "表示レベル(&L)", "Display &Level"},
    {K::Radio, 40017, "High(&H)", "High(&H)", kViewSpeedGroup},
    {K::Radio, 40018, "Middle(&M)", "Middle(&M)", kViewSpeedGroup},
    {K::Radio, 40019, "Low(&L)", "Low(&L)", kViewSpeedGroup},
    {K::Radio, 40321, "Full(&F)", "Full(&F)", kViewSpeedGroup},
    {K::EndSubmenu, 0, "", ""},
    {K::Separator, 0, "", ""},
    {K::Command, cmd::kAutoRow, "表示位置自動修正(&A)", "&Auto Row"},
    {K::Command, cmd::kClearRow, "表示位置初期化(&E)", "Cl&ear Row"},
    {K::Command, cmd::kAdjustSpan, "表示間隔自動修正(&S)", "Adjust &Span"},
    {K::Check, cmd::kRowPause, "表示区切り変更(&B)", "Row &Breaks"},
    {K::Check, cmd::kRowPosition, "表示位置変更(&O)", "Row &Origins"},
    {K::Command, cmd::kWiderX, "横拡大(&W)\tShift+→", "&Wider\tShift+Right"},
    {K::Command, cmd::kNarrowerX, "横縮小(&N)\tShift+←", "&Narrower\tShift+Left"},
    {K::Command, cmd::kTallerY, "縦拡大(&H)\tShift+↓", "Taller (&H)\tShift+Down"},
    {K::Command, cmd::kShorterY, "縦縮小(&G)\tShift+↑", "Shorter (&G)\tShift+Up"},

    {K::Menu, 0, "オプション(&P)", "O&ptions"},
    {K::Command, cmd::kFontSetting, "フォント設定(&F)", "&Font..."},
    {K::Check, cmd::kToolWindow, "簡易タイトルバー表示(&T)", "Compact &Title Bars"},
    {K::Check, cmd::kInetCheck, "インターネット接続確認(&I)", "Ask Before Connecting to the &Internet"},
    {K::Separator, 0, "", ""},
    {K::Check, 40433, "元に戻す対応(&U)", "&Undo Support"},
    {K::Check, 40434, "番線重複自動チェック(&P)", "Check Du&plicate Track Numbers"},
    {K::Check, 40320, "自動バックアップ(&B)", "Automatic &Backup"},
    {K::Check, 40256, "拡張機能(&E)", "&Extended Functions"},
    {K::Separator, 0, "", ""},
    {K::Command, cmd::kWarningSettings, "警告設定(&W)", "&Warning Settings..."},

    {K::Menu, 0, "ウインドウ(&W)", "&Window"},
    {K::Check, cmd::kMessageWindow, "メッセージウインドウ(&M)", "&Message Window"},
    {K::Check, cmd::kTimetableWindow, "時刻表ウインドウ(&T)", "&Timetable Window"},
    {K::Check, cmd::kTrainGraphWindow, "ダイヤグラムウインドウ(&D)", "&Diagram Window"},
    {K::Check, cmd::kPassengerWindow, "乗客数編集ウインドウ(&P)", "&Passenger Edit Window"},
    {K::Separator, 0, "", ""},
    {K::Command, cmd::kStationInfo, "駅情報設定ダイアログ(&S)", "&Station Information..."},

    {K::Menu, 0, "ヘルプ(&H)", "&Help"},
    {K::Command, cmd::kManual, "使用説明(&T)", "&Manual"},
    {K::Command, cmd::kEnquete, "アンケート回答(&E)", "&Questionnaire"},
    {K::Command, cmd::kHomePage, "ホームページ(&H)", "&Home Page"},
    {K::Separator, 0, "", ""},
    {K::Command, cmd::kAbout, "バージョン情報(&A)...", "&About..."},
};

#undef VOSK_SPEED

}  // namespace

std::span<const MenuItemDef> main_menu_items() { return kItems; }

std::map<int, QAction*> build_menu_bar(QMenuBar& bar, shell::UiLanguage language) {
  std::map<int, QAction*> actions;
  std::map<int, QActionGroup*> groups;
  std::vector<QMenu*> stack;  // open menus, innermost last
  const bool english = language == shell::UiLanguage::English;
  for (const MenuItemDef& item : kItems) {
    const QString text = QString::fromUtf8(english ? item.english : item.japanese);
    switch (item.kind) {
      case K::Menu:
        stack.assign(1, bar.addMenu(text));
        break;
      case K::Submenu:
        stack.push_back(stack.back()->addMenu(text));
        break;
      case K::EndSubmenu:
        stack.pop_back();
        break;
      case K::Separator:
        stack.back()->addSeparator();
        break;
      case K::Command:
      case K::Check:
      case K::Radio: {
        QAction* action = stack.back()->addAction(text);
        action->setData(item.id);
        action->setCheckable(item.kind != K::Command);
        if (item.radio_group != 0) {
          QActionGroup*& group = groups[item.radio_group];
          if (!group) {
            group = new QActionGroup(&bar);
            // A value outside the group's range leaves every item unchecked.
            group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
          }
          group->addAction(action);
        }
        actions[item.id] = action;
        break;
      }
    }
  }
  return actions;
}

}  // namespace vosk::ui
