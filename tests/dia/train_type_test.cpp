#include "dia/train_type.h"

#include <gtest/gtest.h>

#include "classification_fixtures.h"
#include "support/temp_dir.h"

namespace vosk::dia {
namespace {

using classification_testing::Warned;
using classification_testing::written;
using testing::sj;

TEST(Dia_TrainTypeTests, NewDiaHasTheSeventeenTypes) {
  struct Expected {
    const char* short_name;
    const char* name;
    int passengers;
  };
  const Expected expected[] = {
      {"普通", "普通", 1},     {"快速", "快速", 1},     {"特快", "特別快速", 1},
      {"新快", "新快速", 1},   {"通快", "通勤快速", 1}, {"準急", "準急", 1},
      {"急行", "急行", 1},     {"快急", "快速急行", 1}, {"特急", "特急", 1},
      {"快特", "快速特急", 1}, {"通準", "通勤準急", 1}, {"通急", "通勤急行", 1},
      {"区快", "区間快速", 1}, {"区急", "区間急行", 1}, {"回送", "回送", 0},
      {"貨物", "貨物", 0},     {"急貨", "急行貨物", 0},
  };
  TrainTypeTable types = default_train_types();
  ASSERT_EQ(types.extent(), 17);
  for (int n = 1; n <= 17; ++n) {
    const Expected& e = expected[n - 1];
    SCOPED_TRACE(n);
    EXPECT_EQ(types[n].short_name, sj(e.short_name));
    EXPECT_EQ(types[n].name, sj(e.name));
    EXPECT_EQ(types[n].passenger_service, e.passengers);
    EXPECT_EQ(types[n].letter_name, sj(e.short_name).substr(0, 2));
  }
  // Type 0 is a real line of the member.
  std::string member = written(types, write_d_type);
  EXPECT_EQ(member.substr(0, member.find('\n') + 1), " 0,0,  0,  0,  0,  0,  0,,,,,,\n");
  EXPECT_NE(member.find("17,0,  0,500,  0,  0,  0," + sj("急,急貨,急行貨物") + ",,,\n"),
            std::string::npos);
}

TEST(Dia_TrainTypeTests, AddedTypesGetTheDialogDefaultsUntilTheLimit) {
  TrainTypeTable types = default_train_types();
  EditResult r = add_train_type(types);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.number(), 18);
  EXPECT_EQ(types[18].name, sj("新規種別18"));
  EXPECT_EQ(types[18].short_name, sj("新規"));
  EXPECT_EQ(types[18].letter_name, sj("新"));
  EXPECT_EQ(types[18].passenger_service, 1);
  EXPECT_EQ(types[18].line_width, 500);
  EXPECT_EQ(types[18].line_style, kSolid);

  while (types.extent() < kMaxTrainTypes) ASSERT_TRUE(add_train_type(types).ok());
  EXPECT_EQ(types[127].name, sj("新規種別127"));
  EditResult refused = add_train_type(types);
  EXPECT_EQ(refused.status(), EditResult::Status::Refused);
  EXPECT_EQ(refused.caption(), "制限オーバー");
  EXPECT_EQ(refused.text(), "これ以上増やせません。");
  EXPECT_EQ(types.extent(), 127);
}

TEST(Dia_TrainTypeTests, LabelsInThreeFormsAndWidthText) {
  TrainTypeTable types = default_train_types();
  EXPECT_EQ(train_type_label(types, 3, 1), sj("特"));
  EXPECT_EQ(train_type_label(types, 3, 2), sj("特快"));
  EXPECT_EQ(train_type_label(types, 3, 3), sj("特別快速"));
  EXPECT_EQ(train_type_label(types, 3, 4), "");
  EXPECT_EQ(train_type_label(types, 99, 2), "");
  EXPECT_EQ(line_width_text(500), "0.50");
  EXPECT_EQ(line_width_text(5000), "5.00");
}

TEST(Dia_TrainTypeTests, SetTypeCutsTextsAndRefusesUnknownNumbers) {
  TrainTypeTable types = default_train_types();
  TrainType t;
  t.short_name = sj("あいうえおかきくけこさ");  // 22 bytes
  t.line_width = 750;
  ASSERT_TRUE(set_train_type(types, 2, t).ok());
  EXPECT_EQ(types[2].short_name, sj("あいうえおかきくけこ"));
  EXPECT_EQ(types[2].line_width, 750);
  EXPECT_FALSE(set_train_type(types, 18, t).ok());
  EXPECT_EQ(types.extent(), 17);
}

TEST(Dia_TrainTypeTests, OlderLayouts) {
  Warned warned;
  TrainTypeTable types;
  // Before 1150: no style and width; before 1200: no carried texts.
  read_d_type(" 1,1,255,  0,  9," + sj("普,普通,普通") + ",\n", 1100, types, warned.warnings);
  EXPECT_EQ(types[1].line_style, kSolid);
  EXPECT_EQ(types[1].line_width, 250);
  EXPECT_EQ(types[1].red, 255);
  EXPECT_EQ(types[1].blue, 9);
  EXPECT_EQ(types[1].name, sj("普通"));
  EXPECT_EQ(types[1].text_4, "");

  read_d_type(" 1,0,  2,750,  1,  2,  3,a,b,c,d,e,\n", 1150, types, warned.warnings);
  EXPECT_EQ(types[1].line_style, kDotted);
  EXPECT_EQ(types[1].line_width, 750);
  EXPECT_EQ(types[1].blue, 3);
  EXPECT_EQ(types[1].name, "c");
  EXPECT_EQ(types[1].text_4, "");  // "d" is not a column of this version
  EXPECT_EQ(written(types, write_d_type),
            " 0,0,  0,  0,  0,  0,  0,,,,,,\n 1,0,  2,750,  1,  2,  3,a,b,c,,,\n");
  EXPECT_EQ(warned.prompt.count(), 0u);
}

TEST(Dia_TrainTypeTests, OutOfRangeNumbersAreSkippedWithOneWarning) {
  Warned warned("d_type.csv");
  TrainTypeTable types;
  read_d_type(
      " 1,1,0,500,0,0,0,a,b,c,,,\n128,1,0,500,0,0,0,x,x,x,,,\n"
      "-1,1,0,500,0,0,0,y,y,y,,,\n 2,1,0,500,0,0,0,d,e,f,,,\n",
      1220, types, warned.warnings);
  EXPECT_EQ(types.extent(), 2);
  EXPECT_EQ(types[2].name, "f");
  ASSERT_EQ(warned.prompt.count(), 1u);
  EXPECT_EQ(warned.prompt.last().caption, "ファイル読み込み警告");
  EXPECT_EQ(warned.prompt.last().text,
            "'d_type.csv'の2行目のレコード番号128は範囲外のため読み飛ばしました。\n");
}

TEST(Dia_TrainTypeTests, OverlongTextsAreCutWithoutSplittingACharacter) {
  Warned warned("d_type.csv");
  TrainTypeTable types;
  std::string name(300, 'n');
  read_d_type(" 1,1,0,500,0,0,0,a," + sj("あいうえおかきくけこさ") + "," + name + ",,,\n", 1220,
              types, warned.warnings);
  EXPECT_EQ(types[1].short_name, sj("あいうえおかきくけこ"));
  EXPECT_EQ(types[1].name, std::string(255, 'n'));
  ASSERT_EQ(warned.prompt.count(), 1u);
  EXPECT_EQ(warned.prompt.last().text,
            "'d_type.csv'の1行目の文字列が長すぎるため切り詰めました。\n");
}

TEST(Dia_TrainTypeTests, OverlongLineIsWarnedAndReadAsFarAsItGoes) {
  Warned warned("d_type.csv");
  TrainTypeTable types;
  std::string line =
      " 1,1,0,500,0,0,0,a,b," + std::string(5000, 'z') + "\n 2,0,0,0,0,0,0,c,d,e,,,\n";
  read_d_type(line, 1220, types, warned.warnings);
  EXPECT_EQ(types.extent(), 2);
  EXPECT_EQ(types[1].short_name, "b");
  EXPECT_EQ(types[1].name.size(), 255u);
  EXPECT_EQ(types[2].name, "e");
  ASSERT_EQ(warned.prompt.count(), 1u);
  EXPECT_EQ(warned.prompt.last().text, "'d_type.csv'の1行目が長すぎるため切り詰めました。\n");
}

}  // namespace
}  // namespace vosk::dia
