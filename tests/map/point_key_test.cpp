#include "map/point_key.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vosk::map {
namespace {

using testing::sj;

const char* const kInUse = "このポイントキーは、既に設定されているため使用できません。\n";

RecordTable<Point> points_with_keys(std::initializer_list<std::string> keys) {
  RecordTable<Point> points;
  points.allocate(kDefaultPointCapacity);
  int n = 0;
  for (const std::string& key : keys) points.grow_to(++n).key = key;
  return points;
}

TEST(Map_PointKeyTests, PrefixRulesIgnoreLetterCase) {
  // Point 2 gets the new key "AB"; point 1 holds the other key.
  struct Case {
    std::string other;
    std::string text;  // empty: accepted
  };
  const Case cases[] = {
      {"a", "このポイントキーは、既に設定されているaと重複するため使用できません。\n"},
      {"abc", "このポイントキーは、既に設定されているabcと重複するため使用できません。\n"},
      {"ab", kInUse},
      {"Ab", kInUse},
      {"b", ""},
      {"ac", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.other);
    RecordTable<Point> points = points_with_keys({c.other, "old"});
    auto error = check_point_key(points, 2, "AB");
    if (c.text.empty()) {
      EXPECT_FALSE(error.has_value());
    } else {
      ASSERT_TRUE(error.has_value());
      EXPECT_EQ(error->caption, "ポイントキー設定エラー");
      EXPECT_EQ(error->text, c.text);
    }
  }
}

TEST(Map_PointKeyTests, ThePointsOwnKeyDoesNotCount) {
  RecordTable<Point> points = points_with_keys({"X", "AB"});
  EXPECT_FALSE(check_point_key(points, 2, "AB").has_value());
  EXPECT_FALSE(check_point_key(points, 2, "ABC").has_value());
}

TEST(Map_PointKeyTests, FirstConflictingPointInNumberOrderIsReported) {
  RecordTable<Point> points = points_with_keys({"k", "xyz1", "xy", "x"});
  auto error = check_point_key(points, 1, "XY");
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->text.find("xyz1"), std::string::npos);
}

TEST(Map_PointKeyTests, JapaneseKeysAreQuotedAsTextAndNotCaseFolded) {
  // "ア" is 83 41 and "ャ" is 83 61: their second bytes are 'A' and 'a'.
  RecordTable<Point> points = points_with_keys({sj("ア"), ""});
  EXPECT_FALSE(check_point_key(points, 2, sj("ャ")).has_value());
  auto error = check_point_key(points, 2, sj("アイ"));
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->text,
            "このポイントキーは、既に設定されているアと重複するため使用できません。\n");
}

TEST(Map_PointKeyTests, AnEmptyKeyIsNotSet) {
  RecordTable<Point> points = points_with_keys({"a", ""});
  auto error = check_point_key(points, 2, "");
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->caption, "入力データエラー");
  EXPECT_EQ(error->text, "ポイントキーが設定されていません。\n");
}

}  // namespace
}  // namespace vosk::map
