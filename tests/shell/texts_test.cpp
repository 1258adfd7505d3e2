#include "shell/texts.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vosk::shell {
namespace {

using testing::sj;

TEST(Shell_TextsTests, SaveQuestionNamesWhatComesNext) {
  EXPECT_EQ(save_question(UiLanguage::Japanese, text::kQuit),
            "終了します。\n現在のダイヤは変更されています。\n現在のデータを保存しますか？");
  EXPECT_EQ(save_question(UiLanguage::English, text::kOpenDia),
            "Open dia.\nThe dia has been changed.\nDo you save the dia?");
  EXPECT_EQ(save_question(UiLanguage::English, text::kOpenMap),
            "Open map.\nThe dia has been changed.\nDo you save the dia?");
}

TEST(Shell_TextsTests, PickFollowsTheUiLanguage) {
  EXPECT_STREQ(text::kQuitCaption.pick(UiLanguage::Japanese), "終了確認");
  EXPECT_STREQ(text::kQuitCaption.pick(UiLanguage::English), "Confirmation of Quiting");
  EXPECT_STREQ(text::kOpenCaption.pick(UiLanguage::English), "Confirmation of Opening");
  EXPECT_STREQ(text::kOpenCaption.pick(UiLanguage::Japanese), "読み込み確認");
  EXPECT_STREQ(text::kOpenMap.pick(UiLanguage::Japanese), "マップデータを開きます。");
}

TEST(Shell_TextsTests, TrainStatesLineUpInBothLanguages) {
  const char* japanese[] = {"抑止",   "発車待", "信号待", "進路待", "電化違", "抑止中",
                            "通知待", "発車音", "ドア閉", "加速中", "走行中", "減速中"};
  const char* english[] = {"Susp",   "Wait  ", "Signal", "Route ", "Elec  ", "InSusp",
                           "Notice", "InBell", "Close ", "Accel ", "Run   ", "Decel "};
  for (int i = 0; i < kTrainStateCount; ++i) {
    auto state = static_cast<TrainState>(i);
    const std::string& ja = train_state_text(state, UiLanguage::Japanese);
    const std::string& en = train_state_text(state, UiLanguage::English);
    EXPECT_EQ(ja, sj(japanese[i])) << i;
    EXPECT_EQ(en, english[i]) << i;
    EXPECT_EQ(en.size(), ja.size()) << i;  // CP932 byte width
  }
  EXPECT_EQ(train_state_text(TrainState::Held, UiLanguage::Japanese).size(), 4u);
}

}  // namespace
}  // namespace vosk::shell
