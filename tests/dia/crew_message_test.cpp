#include "dia/crew_message.h"

#include <gtest/gtest.h>

#include "classification_fixtures.h"
#include "support/temp_dir.h"

namespace vosk::dia {
namespace {

using classification_testing::Warned;
using classification_testing::written;
using testing::sj;

constexpr const char* kStationKeys =
    "主要駅・車掌乗務・定時=%s\n主要駅・ワンマン・定時=\n主要駅・車掌乗務・遅延=\n"
    "主要駅・ワンマン・遅延=\n有人駅・車掌乗務・定時=\n有人駅・ワンマン・定時=\n"
    "有人駅・車掌乗務・遅延=\n有人駅・ワンマン・遅延=\n無人駅・車掌乗務・定時=\n"
    "無人駅・ワンマン・定時=\n無人駅・車掌乗務・遅延=\n無人駅・ワンマン・遅延=%s\n";

std::string station_keys(const char* first, const char* last) {
  char buffer[1024];
  std::snprintf(buffer, sizeof buffer, kStationKeys, first, last);
  return buffer;
}

// The whole member as written, with a few values set (UTF-8; converted).
std::string crew_msg(const char* arrival_first, const char* delay_text, const char* atc,
                     const char* stopped_last) {
  return sj(std::string("[走行中・到着]\n") + station_keys(arrival_first, "") + "\n" +
            "[走行中・発車]\n" + station_keys("", "") + "\n" +
            "[走行中・駅間]\n車掌乗務・定時=\nワンマン・定時=\n車掌乗務・遅延=" + delay_text +
            "\nワンマン・遅延=\n\n" + "[走行中・状態]\nＡＴＣ=" + atc + "\n\n" +
            "[停車中・到着]\n" + station_keys("", stopped_last) + "\n" +
            "[停車中・一時指令]\n当駅発車=\n延発=\n早発=\n\n" + "[停車中・発車]\n余裕=\n間際=\n\n" +
            "[停車中・状態]\n発車音=\nドア閉=\n信号待=\n進路待=\n抑止中=\n通知待=\n\n");
}

TEST(Dia_CrewMessageTests, LayoutHasEightSectionsAndFiftyTwoKeys) {
  auto sections = crew_sections();
  ASSERT_EQ(sections.size(), 8u);
  std::size_t keys = 0;
  for (const CrewSection& s : sections) keys += s.keys.size();
  EXPECT_EQ(keys, kCrewMessageCount);
  EXPECT_STREQ(sections[5].name, "停車中・一時指令");
}

TEST(Dia_CrewMessageTests, EmptyMessagesWriteEveryKey) {
  CrewMessages messages;
  EXPECT_EQ(written(messages, write_crew_msg), crew_msg("", "", "", ""));
}

TEST(Dia_CrewMessageTests, RoundTripWithJapaneseKeys) {
  std::string member = crew_msg("次は、%sです。", "遅れております", "ATC信号", "最後");
  Warned warned("crew_msg.ini");
  CrewMessages messages;
  read_crew_msg(member, 1220, messages, warned.warnings);
  EXPECT_EQ(messages.get("走行中・駅間", "車掌乗務・遅延"), sj("遅れております"));
  EXPECT_EQ(messages.get("走行中・状態", "ＡＴＣ"), sj("ATC信号"));
  EXPECT_EQ(messages.get("停車中・到着", "無人駅・ワンマン・遅延"), sj("最後"));
  EXPECT_EQ(messages.get("走行中・発車", "主要駅・車掌乗務・定時"), "");
  EXPECT_EQ(messages.get("走行中・状態", "なし"), std::nullopt);
  EXPECT_EQ(written(messages, write_crew_msg), member);
  EXPECT_EQ(warned.prompt.count(), 0u);
}

TEST(Dia_CrewMessageTests, ReadsAnyOrderIgnoresStrangersAndCutsLongValues) {
  Warned warned("crew_msg.ini");
  CrewMessages messages;
  messages.set("停車中・発車", "余裕", "old");
  read_crew_msg(sj("[停車中・状態]\n抑止中=止\n[走行中・状態]\nＡＴＣ=") + std::string(260, 'a') +
                    sj("\n[その他]\n余裕=x\n"),
                1220, messages, warned.warnings);
  EXPECT_EQ(messages.get("停車中・状態", "抑止中"), sj("止"));
  EXPECT_EQ(messages.get("走行中・状態", "ＡＴＣ")->size(), 255u);
  EXPECT_EQ(messages.get("停車中・発車", "余裕"), "");  // missing: empty
  ASSERT_EQ(warned.prompt.count(), 1u);
}

TEST(Dia_CrewMessageTests, SetCutsAndRefusesUnknownKeys) {
  CrewMessages messages;
  EXPECT_TRUE(messages.set("停車中・発車", "間際", std::string(300, 'b')));
  EXPECT_EQ(messages.get("停車中・発車", "間際")->size(), 255u);
  EXPECT_FALSE(messages.set("停車中・発車", "ドア閉", "x"));
}

}  // namespace
}  // namespace vosk::dia
