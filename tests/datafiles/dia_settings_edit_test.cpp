#include "datafiles/dia_settings_edit.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vosk::datafiles {
namespace {

using vosk::testing::sj;

struct TimeRow {
  TimeSettingsValues values;
  std::optional<TimeField> refused;  // nullopt: stored
};

class TimeSettingsRules : public ::testing::TestWithParam<TimeRow> {};

TEST_P(TimeSettingsRules, RefusesTheFirstFieldOutOfRangeAndStoresOtherwise) {
  const TimeRow& row = GetParam();
  Header header;
  const Header before = header;
  const auto edit = apply_time_settings(header, row.values);
  if (row.refused) {
    ASSERT_TRUE(edit.refusal);
    EXPECT_EQ(edit.refusal->field, *row.refused);
    EXPECT_EQ(edit.refusal->caption, "入力データエラー");
    EXPECT_EQ(time_settings_of(header), time_settings_of(before));  // nothing stored
  } else {
    ASSERT_TRUE(edit.ok());
    EXPECT_EQ(time_settings_of(header), row.values);
    EXPECT_EQ(edit.changed, !(row.values == time_settings_of(before)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TimeSettingsRules,
    ::testing::Values(TimeRow{{15, 45, 120, false}, std::nullopt},  // the defaults: no change
                      TimeRow{{1, 0, 0, true}, std::nullopt},       // smallest values, 0 = pass
                      TimeRow{{3600, 3600, 3600, false}, std::nullopt},
                      TimeRow{{0, 45, 120, false}, TimeField::Unit},
                      TimeRow{{3601, 45, 120, false}, TimeField::Unit},
                      TimeRow{{-15, -1, -1, false}, TimeField::Unit},  // first field wins
                      TimeRow{{15, -1, 120, false}, TimeField::Standard},
                      TimeRow{{15, 3601, 120, false}, TimeField::Standard},
                      TimeRow{{15, 45, -1, false}, TimeField::Reverse},
                      TimeRow{{15, 45, 3601, false}, TimeField::Reverse}));

TEST(TimeSettings, KeepsAnUnknownKeyingValueUntilTheChoiceChanges) {
  Header header;
  header.dia.stop_time_velocity = 7;  // read from a file: taken as per train type
  TimeSettingsValues v = time_settings_of(header);
  ASSERT_FALSE(v.per_speed_type);
  v.unit = 30;
  ASSERT_TRUE(apply_time_settings(header, v).ok());
  EXPECT_EQ(header.dia.stop_time_velocity, 7);
  v.per_speed_type = true;
  ASSERT_TRUE(apply_time_settings(header, v).changed);
  EXPECT_EQ(header.dia.stop_time_velocity, 1);
}

struct PropertyRow {
  int start_time;
  int base_target;
  std::optional<PropertyField> refused;
};

class DiaPropertyRules : public ::testing::TestWithParam<PropertyRow> {};

TEST_P(DiaPropertyRules, ChecksStartTimeAndBaseTarget) {
  const PropertyRow& row = GetParam();
  Header header;
  DiaPropertyValues v = dia_property_of(header);
  v.title = sj("朝のダイヤ");
  v.start_time = row.start_time;
  v.base_target = row.base_target;
  const auto edit = apply_dia_property(header, v, 5);
  if (row.refused) {
    ASSERT_TRUE(edit.refusal);
    EXPECT_EQ(edit.refusal->field, *row.refused);
    EXPECT_TRUE(header.dia.dia_title.empty());
  } else {
    ASSERT_TRUE(edit.ok());
    EXPECT_TRUE(edit.changed);
    EXPECT_EQ(dia_property_of(header), v);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, DiaPropertyRules,
                         ::testing::Values(PropertyRow{0, 0, std::nullopt},
                                           PropertyRow{100800, 5, std::nullopt},
                                           PropertyRow{-1, 0, PropertyField::StartTime},
                                           PropertyRow{100801, 0, PropertyField::StartTime},
                                           PropertyRow{3600, 6, PropertyField::BaseTarget},
                                           PropertyRow{3600, -1, PropertyField::BaseTarget}));

TEST(DiaProperty, CutsLongTextsWithoutSplittingACharacter) {
  Header header;
  DiaPropertyValues v = dia_property_of(header);
  v.title = "a";
  for (int i = 0; i < 200; ++i) v.title += sj("駅");  // 1 + 400 bytes
  v.comment = std::string(300, 'c');
  ASSERT_TRUE(apply_dia_property(header, v, 0).ok());
  EXPECT_EQ(header.dia.dia_title.size(), 255u);  // "a" and 127 whole characters
  EXPECT_EQ(header.dia.dia_title.substr(253), sj("駅"));
  EXPECT_EQ(header.dia.dia_comment, std::string(255, 'c'));
}

TEST(DiaProperty, UnchangedValuesAreNoChange) {
  Header header;
  header.dia.dia_title = "title";
  EXPECT_FALSE(apply_dia_property(header, dia_property_of(header), 0).changed);
}

}  // namespace
}  // namespace vosk::datafiles
