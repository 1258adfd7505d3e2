#include "shell/warnings.h"

#include <gtest/gtest.h>

#include "shell/popup_warnings.h"
#include "shell/warning_dialog.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::shell {
namespace {

using testing::ScriptedPrompt;
using testing::sj;

const char* kAllPopupsQuestion =
    "現在「ポップアップ警告」に設定されている警告条件を全て「Windows "
    "一般の警告音」の設定に変更します。\n"
    "ただし、運転支障の発生や復旧が気づきにくくなる可能性があります。\nよろしいですか？\n";

TEST(Shell_WarningSettingsTests, DefaultsAndSections) {
  WarningSettings w;
  const char* sections[] = {"WE_NONE",   "WE_ACC_ON", "WE_ACC_OFF", "WE_REP",   "WE_ROUTE",
                            "WE_NOTICE", "WE_ATC",    "WE_TARGET",  "WE_LEVER", "WE_REPEAT"};
  const int delays[] = {0, 0, 0, 10, 10, 10, 10, 10, 10, 0};
  for (int e = 0; e < kWarningEventCount; ++e) {
    EXPECT_STREQ(warning_section(e), sections[e]);
    EXPECT_EQ(w[e].delay, delays[e]) << e;
    EXPECT_EQ(w[e].type, e == 0 ? 0 : 1) << e;
    EXPECT_EQ(w[e].wav_file, "");
  }
  EXPECT_STREQ(warning_label(1), "運転支障発生時");
  EXPECT_STREQ(warning_label(8), "進路未構成");
  EXPECT_STREQ(warning_label(9), "番線重複");
}

TEST(Shell_WarningSettingsTests, LoadReadsNineSectionsWithTheTableDefaults) {
  auto doc = ini::Document::parse("[WE_NONE]\ntype=5\n[WE_REP]\ntype=7\ndelay=30\nwav_file=" +
                                  sj("/snd/信号.wav") + "\n[WE_ATC]\ntype=12\n");
  WarningSettings w;
  w[4].delay = 99;  // a temporary change: the next load forgets it
  w.load(doc);
  EXPECT_EQ(w[0].type, 0);  // WE_NONE is never read
  EXPECT_EQ(w[3].type, 7);
  EXPECT_EQ(w[3].delay, 30);
  EXPECT_EQ(w[3].wav_file, sj("/snd/信号.wav"));
  EXPECT_EQ(w[4].delay, 10);
  EXPECT_EQ(w[6].type, 12);  // out of range stays as read
  EXPECT_EQ(type_list_row(12), std::nullopt);
  EXPECT_EQ(type_list_row(7), 7);
}

TEST(Shell_WarningSettingsTests, SaveWritesOneEvent) {
  WarningSettings w;
  w[5] = {7, 25, "/x/a.wav"};
  ini::Document doc = ini::Document::parse("[Setting]\nCallSpeed=4\n");
  w.save_event(doc, 5);
  EXPECT_EQ(doc.text(),
            "[Setting]\nCallSpeed=4\n[WE_NOTICE]\ntype=7\ndelay=25\nwav_file=/x/a.wav\n");
}

TEST(Shell_WarningSettingsTests, TypeTextsInListOrder) {
  auto texts = warning_type_texts();
  ASSERT_EQ(texts.size(), 8u);
  EXPECT_STREQ(texts[0], "警告なし");
  EXPECT_STREQ(texts[1], "ポップアップ警告");
  EXPECT_STREQ(texts[2], "Windows 一般の警告音");
  EXPECT_STREQ(texts[3], "Windows システムエラー");
  EXPECT_STREQ(texts[4], "Windows メッセージ (問い合わせ) ");
  EXPECT_STREQ(texts[5], "Windows メッセージ (警告) ");
  EXPECT_STREQ(texts[6], "Windows メッセージ (情報) ");
  EXPECT_STREQ(texts[7], "ユーザ設定警告音");
}

TEST(Shell_PopupWarningsTests, OnlyPopupTypeShowsAnything) {
  PopupWarnings popups;
  for (int type : {0, 2, 3, 4, 5, 6, 7, 8, -1}) {
    EXPECT_FALSE(fire({type, 0, "/a.wav"}, "text", 100, popups)) << type;
  }
  EXPECT_TRUE(popups.lines().empty());
  EXPECT_TRUE(fire({kWarningPopup, 0, ""}, "shown", 100, popups));
  EXPECT_EQ(popups.lines(), (std::vector<std::string>{"shown"}));
}

TEST(Shell_PopupWarningsTests, NewClockTimeStartsAFreshList) {
  PopupWarnings popups;
  popups.add("a", 3600);
  popups.add("bb", 3600);
  EXPECT_EQ(popups.lines().size(), 2u);
  popups.add("c", 3601);
  EXPECT_EQ(popups.lines(), (std::vector<std::string>{"c"}));
  auto width = [](std::string_view s) { return static_cast<int>(s.size()) * 7; };
  popups.add("dddd", 3601);
  EXPECT_EQ(popups.longest_line_width(width), 28);
  popups.clear();
  EXPECT_EQ(popups.longest_line_width(width), 0);
  popups.add("e", 0);
  popups.add("f", 0);  // after a clear the clock is unknown; same time piles up
  EXPECT_EQ(popups.lines().size(), 2u);
}

TEST(Shell_WarningDialogTests, FieldStatesByType) {
  for (int type = 0; type <= 8; ++type) {
    WarningFieldStates f = warning_field_states(type);
    EXPECT_EQ(f.delay_editable, type >= 1 && type <= 7) << type;
    EXPECT_EQ(f.wav_editable, type == 7) << type;
  }
}

TEST(Shell_WarningDialogTests, NegativeDelayIsRefusedAndNothingSaved) {
  WarningSettings w;
  ini::Document doc = ini::Document::parse("[WE_ACC_ON]\ntype=1\ndelay=0\n");
  const std::string before = doc.text();
  WarningDialog dialog(w, 1);
  dialog.edit().delay = -1;
  dialog.edit().type = 3;
  ScriptedPrompt prompt;
  EXPECT_FALSE(dialog.save(prompt, doc));
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "データエラー");
  EXPECT_EQ(prompt.last().text, "時間は正の値しか指定できません。");
  EXPECT_EQ(doc.text(), before);
  EXPECT_EQ(w[1].type, 1);  // memory unchanged too
  EXPECT_EQ(w[1].delay, 0);
  // Zero is allowed; the save then writes the selected event only.
  dialog.edit().delay = 0;
  EXPECT_TRUE(dialog.save(prompt, doc));
  EXPECT_EQ(doc.text(), "[WE_ACC_ON]\ntype=3\ndelay=0\nwav_file=\n");
  EXPECT_EQ(w[1].type, 3);
}

TEST(Shell_WarningDialogTests, SelectingStoresTheEditsOfTheEventLeft) {
  WarningSettings w;
  WarningDialog dialog(w, 3);
  ScriptedPrompt prompt;
  dialog.edit().delay = 45;
  EXPECT_TRUE(dialog.select(4, prompt));
  EXPECT_EQ(w[3].delay, 45);
  EXPECT_EQ(dialog.selected(), 4);
  EXPECT_EQ(dialog.edit().delay, 10);

  dialog.edit().delay = -5;
  EXPECT_FALSE(dialog.select(5, prompt));
  EXPECT_EQ(prompt.count(), 1u);
  EXPECT_EQ(dialog.selected(), 4);  // stays on the bad entry
  EXPECT_EQ(w[4].delay, 10);
  EXPECT_FALSE(dialog.select(0, prompt));  // WE_NONE is not in the list
}

TEST(Shell_WarningDialogTests, BrowseAndChosenFile) {
  WarningSettings w;
  WarningDialog dialog(w, 2);
  EXPECT_EQ(dialog.browse_initial_name("/p/sound/"), "/p/sound/warning/.wav");
  dialog.choose_wav("/p/sound/warning/bell.wav");
  EXPECT_EQ(dialog.edit().type, kWarningUserSound);
  EXPECT_EQ(dialog.browse_initial_name("/p/sound/"), "/p/sound/warning/bell.wav");
  EXPECT_TRUE(dialog.field_states().wav_editable);
  EXPECT_EQ(w[2].type, 1);  // not stored until the event is left or saved
}

TEST(Shell_WarningDialogTests, TestFiresTheEditedSettings) {
  WarningSettings w;
  WarningDialog dialog(w, 1);
  PopupWarnings popups;
  EXPECT_TRUE(dialog.test(popups, 500));
  EXPECT_EQ(popups.lines(), (std::vector<std::string>{"ここに警告内容が表示されます。"}));
  dialog.edit().type = 3;
  EXPECT_FALSE(dialog.test(popups, 501));
  EXPECT_EQ(popups.lines().size(), 1u);
}

TEST(Shell_WarningDialogTests, ClearAllPopupsAsksAndConvertsOnYes) {
  WarningSettings w;
  w[4].type = 7;
  WarningDialog dialog(w, 3);
  ScriptedPrompt prompt;
  prompt.script({Answer::No, Answer::Yes});
  EXPECT_FALSE(dialog.clear_all_popups(prompt));
  EXPECT_EQ(w[1].type, 1);
  EXPECT_TRUE(dialog.clear_all_popups(prompt));
  EXPECT_EQ(prompt.last().caption, "解除確認");
  EXPECT_EQ(prompt.last().text, kAllPopupsQuestion);
  EXPECT_EQ(prompt.last().buttons, Buttons::YesNo);
  for (int e = 1; e < kWarningEventCount; ++e) EXPECT_EQ(w[e].type, e == 4 ? 7 : 2) << e;
  EXPECT_EQ(dialog.edit().type, 2);  // the shown event follows
}

TEST(Shell_WarningDialogTests, TemporaryChangeStaysInMemoryOnly) {
  WarningSettings w;
  WarningDialog dialog(w, 9);
  ScriptedPrompt prompt;
  dialog.edit().type = 0;
  EXPECT_TRUE(dialog.keep_temporarily(prompt));
  EXPECT_EQ(w[9].type, 0);
  dialog.edit().delay = -1;
  EXPECT_FALSE(dialog.keep_temporarily(prompt));
  EXPECT_EQ(w[9].delay, 0);
}

TEST(Shell_PopupConversionTests, PopupWindowCommands) {
  ScriptedPrompt prompt;
  prompt.script({Answer::Yes, Answer::Yes, Answer::No});

  WarningSettings all;
  EXPECT_TRUE(convert_all_popups(all, prompt));
  EXPECT_EQ(prompt.last().text,
            std::string(kAllPopupsQuestion) + "\nこの変更はダイヤデータ読み込み時まで有効です。\n");
  for (int e = 1; e < kWarningEventCount; ++e) EXPECT_EQ(all[e].type, 2) << e;

  WarningSettings some;
  EXPECT_TRUE(convert_popups_except_disruption(some, prompt));
  EXPECT_EQ(prompt.last().caption, "解除確認");
  EXPECT_EQ(prompt.last().text,
            "現在「ポップアップ警告」に設定されている警告条件のうち運転支障以外を全て「Windows "
            "一般の警告音」の設定に変更します。\nよろしいですか？\n\n"
            "この変更はダイヤデータ読み込み時まで有効です。\n");
  EXPECT_EQ(some[1].type, 1);
  EXPECT_EQ(some[2].type, 1);
  for (int e = 3; e < kWarningEventCount; ++e) EXPECT_EQ(some[e].type, 2) << e;

  WarningSettings refused;
  EXPECT_FALSE(convert_all_popups(refused, prompt));
  EXPECT_EQ(refused[3].type, 1);
  EXPECT_TRUE(prompt.script_used_up());
}

}  // namespace
}  // namespace vosk::shell
