#include <gtest/gtest.h>

#include "map/detail.h"
#include "map/detail_edit.h"
#include "map/map_display_support.h"

namespace vosk::map {
namespace {

const std::string kDetails =
    " 1, 12,  0,150, 45, -5,400,\n"
    " 2, 13, 10, 20,  0,  0,  0,\n"
    " 3, 12,150,600,  0, 10,-800,\n";

RecordTable<Detail> loaded(std::string_view content, int version = 1220) {
  RecordTable<Detail> table;
  table.allocate(kDefaultDetailCapacity);
  MemberLoad load;
  EXPECT_EQ(load.read(read_detail, content, version, table), 0u);
  return table;
}

TEST(Map_DetailTests, Version1220RoundTripsByteIdentical) {
  RecordTable<Detail> table = loaded(kDetails);
  ASSERT_EQ(table.extent(), 3);
  const Detail& d = table[3];
  EXPECT_EQ(d.rail, 12);
  EXPECT_EQ(d.start, 150);
  EXPECT_EQ(d.end, 600);
  EXPECT_EQ(d.speed_limit, 0);
  EXPECT_EQ(d.gradient, 10);
  EXPECT_EQ(d.radius, -800);
  EXPECT_EQ(written(write_detail, table), kDetails);
}

TEST(Map_DetailTests, LinesAppendInFileOrderWhateverTheirRunningNumber) {
  RecordTable<Detail> table = loaded(
      " 7,  4,  0, 10,  0,  0,  0,\n"
      " 7,  5,  0, 20,  0,  0,  0,\n"
      " 0,  6,  0, 30,  0,  0,  0,\n");
  ASSERT_EQ(table.extent(), 3);
  EXPECT_EQ(table[1].rail, 4);
  EXPECT_EQ(table[2].rail, 5);
  EXPECT_EQ(table[3].rail, 6);
  EXPECT_EQ(written(write_detail, table),
            " 1,  4,  0, 10,  0,  0,  0,\n"
            " 2,  5,  0, 20,  0,  0,  0,\n"
            " 3,  6,  0, 30,  0,  0,  0,\n");
}

TEST(Map_DetailTests, TheListOutgrowsAMissingTableSizeInsteadOfLosingDetails) {
  // Without a [StructSize] Detail key the capacity is 0; the details the
  // file holds are kept and the capacity follows them.
  RecordTable<Detail> table = loaded(kDetails);
  EXPECT_EQ(table.extent(), 3);
  EXPECT_GE(table.capacity(), 3);
}

TEST(Map_DetailTests, NoDetailsBefore1150AndNoLinesForAnEmptyList) {
  RecordTable<Detail> table = loaded(kDetails, 1149);
  EXPECT_EQ(table.extent(), 0);
  EXPECT_EQ(written(write_detail, table), "");
}

TEST(Map_DetailTests, DetailsOfARailInListOrder) {
  RecordTable<Detail> table = loaded(kDetails);
  EXPECT_EQ(details_of_rail(table, 12), (std::vector<int>{1, 3}));
  EXPECT_EQ(details_of_rail(table, 13), (std::vector<int>{2}));
  EXPECT_TRUE(details_of_rail(table, 99).empty());
}

// ---- editing ---------------------------------------------------------------

struct CheckCase {
  int start;
  int end;
  const char* message;  // nullptr: accepted
};

class Map_DetailCheckTests : public ::testing::TestWithParam<CheckCase> {};

// Rail length 200; the first failing check wins.
INSTANTIATE_TEST_SUITE_P(
    Checks, Map_DetailCheckTests,
    ::testing::Values(CheckCase{0, 200, nullptr}, CheckCase{200, 200, nullptr},
                      CheckCase{50, 50, nullptr},
                      CheckCase{-1, -5, "開始位置は、正の値にしてください。\n"},
                      CheckCase{201, -5, "開始位置は、区間長より小さくしてください。\n"},
                      CheckCase{10, -1, "終了位置は、正の値にしてください。\n"},
                      CheckCase{10, 201, "終了位置は、区間長より小さくしてください。\n"},
                      CheckCase{100, 99, "開始位置は、終了位置より小さくしてください。\n"}));

TEST_P(Map_DetailCheckTests, ChecksRunInOrder) {
  const CheckCase& c = GetParam();
  DetailEditResult result = check_detail({c.start, c.end, true, 45, 0, 0}, 200);
  if (c.message == nullptr) {
    EXPECT_FALSE(result.has_value());
  } else {
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->caption, "入力データエラー");
    EXPECT_EQ(result->text, c.message);
  }
}

TEST(Map_DetailEditTests, AddAppendsAndStoresNoLimitWhenTheSwitchIsOff) {
  RecordTable<Detail> table = loaded(kDetails);
  ASSERT_FALSE(add_detail(table, 13, 300, {20, 280, false, 45, -3, 600}).has_value());
  ASSERT_EQ(table.extent(), 4);
  const Detail& d = table[4];
  EXPECT_EQ(d.rail, 13);
  EXPECT_EQ(d.start, 20);
  EXPECT_EQ(d.end, 280);
  EXPECT_EQ(d.speed_limit, 0);
  EXPECT_EQ(d.gradient, -3);
  EXPECT_EQ(d.radius, 600);
  EXPECT_EQ(details_of_rail(table, 13), (std::vector<int>{2, 4}));
}

TEST(Map_DetailEditTests, ARefusedAddChangesNothing) {
  RecordTable<Detail> table = loaded(kDetails);
  DetailEditResult r = add_detail(table, 13, 100, {20, 120, true, 45, 0, 0});
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->text, "終了位置は、区間長より小さくしてください。\n");
  EXPECT_EQ(written(write_detail, table), kDetails);
}

TEST(Map_DetailEditTests, ReplaceKeepsTheRailAndNeedsASelection) {
  RecordTable<Detail> table = loaded(kDetails);
  for (int selected : {0, 4, -1}) {
    DetailEditResult r = replace_detail(table, selected, 600, {0, 10, true, 45, 0, 0});
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->caption, "操作エラー");
    EXPECT_EQ(r->text, "置換する項目が選択されていません。\n");
  }
  DetailEditResult bad = replace_detail(table, 3, 600, {700, 10, true, 45, 0, 0});
  ASSERT_TRUE(bad.has_value());
  EXPECT_EQ(bad->caption, "入力データエラー");
  EXPECT_EQ(written(write_detail, table), kDetails);

  ASSERT_FALSE(replace_detail(table, 3, 600, {100, 500, true, 60, 2, 300}).has_value());
  EXPECT_EQ(table[3].rail, 12);
  EXPECT_EQ(table[3].speed_limit, 60);
  EXPECT_EQ(table[3].end, 500);
}

TEST(Map_DetailEditTests, DeleteMovesLaterDetailsDown) {
  RecordTable<Detail> table = loaded(kDetails);
  DetailEditResult none = delete_detail(table, 0);
  ASSERT_TRUE(none.has_value());
  EXPECT_EQ(none->caption, "操作エラー");
  EXPECT_EQ(none->text, "削除する項目が選択されていません。\n");

  ASSERT_FALSE(delete_detail(table, 1).has_value());
  EXPECT_EQ(written(write_detail, table),
            " 1, 13, 10, 20,  0,  0,  0,\n"
            " 2, 12,150,600,  0, 10,-800,\n");
  ASSERT_FALSE(delete_detail(table, 2).has_value());
  ASSERT_FALSE(delete_detail(table, 1).has_value());
  EXPECT_EQ(table.extent(), 0);
  EXPECT_TRUE(delete_detail(table, 1).has_value());
}

TEST(Map_DetailEditTests, ListTexts) {
  EXPECT_EQ(detail_list_text({12, 0, 150, 45, -5, 400}), "0m-150m: 45km/h -5‰ 400m");
  EXPECT_EQ(detail_list_text({12, 150, 600, 0, 10, -800}), "150m-600m:---km/h 10‰ -800m");
  EXPECT_EQ(detail_list_text({12, 0, 10, 120, 0, 0}), "0m-10m:120km/h 0‰ 0m");
}

}  // namespace
}  // namespace vosk::map
