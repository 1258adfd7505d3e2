#include "shell/settings.h"

#include <gtest/gtest.h>

#include <set>

namespace vosk::shell {
namespace {

constexpr MachineMemory kMachine{8'000'000'000ULL};  // page file limit / 10 = 762.9 MB

const char* kDefaultSettingText =
    "[Setting]\n"
    "CallSpeed=4\n"
    "ViewSpeed=1\n"
    "AccidentSize=10\n"
    "AccidentFrequency00=0\n"
    "AccidentFrequency01=3600\n"
    "AccidentFrequency02=1800\n"
    "AccidentFrequency03=900\n"
    "AccidentRepair00=0\n"
    "AccidentRepair01=600\n"
    "AccidentRepair02=1800\n"
    "AccidentRepair03=7200\n"
    "ViewType=2\n"
    "ViewFor=2\n"
    "SmartView=0\n"
    "TrackView=0\n"
    "RouteView=1\n"
    "InterView=1\n"
    "ViewImage16=1\n"
    "ToolWindow=1\n"
    "InetCheck=1\n"
    "RollBackFile=0\n"
    "RollBackTrain=1\n"
    "RollBackFast=1\n"
    "MinAvailPhys=0\n"
    "MinAvailPageFile=762\n"
    "UseUndo=1\n"
    "UseDuplicate=1\n"
    "BackupFile=1\n"
    "Extention=0\n";

TEST(Shell_SettingsTests, MissingFileGivesDefaultsWrittenInTableOrder) {
  Settings s = read_settings(ini::Document{}, kMachine);
  ini::Document out;
  write_settings(out, s);
  EXPECT_EQ(out.text(), kDefaultSettingText);
}

TEST(Shell_SettingsTests, StoredValuesAreReadByProfileIntRules) {
  auto doc = ini::Document::parse(
      "[Setting]\nCallSpeed=7\nAccidentRepair02= 45x\nViewFor=-1\nSmartView=2\n"
      "RouteView=0\nBackupFile=no\nExtention=\nAccidentFrequency03=abc\n");
  Settings s = read_settings(doc, kMachine);
  EXPECT_EQ(s.call_speed, 7);
  EXPECT_EQ(s.accident_repair[2], 45);
  EXPECT_EQ(s.view_for, -1);  // carried through even outside 0-3
  EXPECT_TRUE(s.smart_view);  // any nonzero value sets a flag
  EXPECT_FALSE(s.route_view);
  EXPECT_FALSE(s.backup_file);  // a word reads as 0
  EXPECT_FALSE(s.extention);    // empty counts as missing: default 0
  EXPECT_EQ(s.accident_frequency[3], 0);
  EXPECT_EQ(s.accident_frequency[1], 3600);  // missing: default

  ini::Document out = doc;
  write_settings(out, s);
  EXPECT_EQ(out.find("Setting", "SmartView"), "1");
  EXPECT_EQ(out.find("Setting", "ViewFor"), "-1");
  EXPECT_EQ(out.find("Setting", "AccidentRepair02"), "45");
}

TEST(Shell_SettingsTests, MemoryLimitsAreStoredInMegabytes) {
  // Absent: a tenth of the page file, rounded down to whole megabytes.
  Settings absent = read_settings(ini::Document{}, kMachine);
  EXPECT_EQ(absent.min_avail_page_file, 762ULL << 20);
  EXPECT_EQ(absent.min_avail_phys, 0u);

  auto doc = ini::Document::parse("[Setting]\nMinAvailPhys=100\nMinAvailPageFile=4096\n");
  Settings s = read_settings(doc, kMachine);
  EXPECT_EQ(s.min_avail_phys, 100ULL * 1048576);
  EXPECT_EQ(s.min_avail_page_file, 4096ULL * 1048576);

  s.min_avail_phys = 5 * 1048576 + 1048575;  // not a whole MB: integer division
  ini::Document out;
  write_settings(out, s);
  EXPECT_EQ(out.find("Setting", "MinAvailPhys"), "5");
  EXPECT_EQ(out.find("Setting", "MinAvailPageFile"), "4096");
}

TEST(Shell_SettingsTests, NegativeMemoryLimitMeansNoLimit) {
  auto doc = ini::Document::parse("[Setting]\nMinAvailPhys=-5\n");
  EXPECT_EQ(read_settings(doc, kMachine).min_avail_phys, 0u);
}

TEST(Shell_SettingsTests, HugeMemoryLimitIsWrittenAsTheLargestInt) {
  Settings s = Settings::defaults(kMachine);
  s.min_avail_phys = ~0ULL;
  ini::Document out;
  write_settings(out, s);
  EXPECT_EQ(out.find("Setting", "MinAvailPhys"), "2147483647");
}

TEST(Shell_SettingsTests, UnknownKeysAndOtherSectionsKeepTheirBytes) {
  const std::string text =
      "[Setting]\nCallSpeed=9\nSimulatorOnly = keep me \n[Other]\n\x82\xA0=1\n";
  auto doc = ini::Document::parse(text);
  write_settings(doc, read_settings(doc, kMachine));
  std::string out = doc.text();
  EXPECT_NE(out.find("SimulatorOnly = keep me \n"), std::string::npos);
  EXPECT_NE(out.find("[Other]\n\x82\xA0=1\n"), std::string::npos);
  EXPECT_EQ(doc.find("Setting", "CallSpeed"), "9");
}

TEST(Shell_SettingsTests, MeminfoGivesMemoryPlusSwap) {
  EXPECT_EQ(parse_meminfo("MemTotal:       16384 kB\nMemFree: 1 kB\nSwapTotal:  2048 kB\n")
                .total_page_file,
            (16384ULL + 2048) * 1024);
  EXPECT_EQ(parse_meminfo("SwapTotalX: 5 kB\n").total_page_file, 0u);
  EXPECT_EQ(parse_meminfo("").total_page_file, 0u);
  EXPECT_GT(read_machine_memory().total_page_file, 0u);
}

struct SpeedCase {
  int call_speed;
  int period_ms;
  std::optional<int> menu_id;
};

void PrintTo(const SpeedCase& c, std::ostream* os) { *os << c.call_speed; }

class Shell_TimerSpeedTests : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(Shell_TimerSpeedTests, PeriodAndCheckedItem) {
  const SpeedCase& c = GetParam();
  TimerSpeed t = timer_speed(c.call_speed);
  EXPECT_EQ(t.period_ms, c.period_ms);
  EXPECT_EQ(t.menu_id, c.menu_id);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Shell_TimerSpeedTests,
    ::testing::Values(SpeedCase{1, 2000, 40003}, SpeedCase{2, 1000, 40004},
                      SpeedCase{3, 667, 40005}, SpeedCase{4, 500, 40006}, SpeedCase{5, 333, 40007},
                      SpeedCase{6, 250, 40008}, SpeedCase{7, 166, 40009}, SpeedCase{8, 125, 40010},
                      SpeedCase{9, 100, 40011}, SpeedCase{10, 66, 40012}, SpeedCase{11, 33, 40013},
                      SpeedCase{12, 17, 40016}, SpeedCase{13, 8, 40129}, SpeedCase{14, 4, 40130},
                      SpeedCase{15, 2, 40240}, SpeedCase{16, 1, 40241},
                      SpeedCase{0, 1000, std::nullopt}, SpeedCase{17, 1000, std::nullopt},
                      SpeedCase{-3, 1000, std::nullopt}));

TEST(Shell_SettingsTests, MenuItemsOfFlagsAndRadioGroups) {
  std::set<int> ids;
  Settings s;
  for (const FlagMenuItem& item : flag_menu_items()) {
    ids.insert(item.menu_id);
    s.*item.flag = !(s.*item.flag);  // every entry points at a real flag
  }
  EXPECT_EQ(ids.size(), 11u);
  EXPECT_TRUE(ids.count(40485));  // ToolWindow
  EXPECT_TRUE(ids.count(40226));  // InetCheck
  EXPECT_TRUE(s.smart_view);
  EXPECT_FALSE(s.inet_check);
  EXPECT_TRUE(s.roll_back_train);  // rollback flags have no menu item

  EXPECT_EQ(view_speed_menu_id(3), 40321);
  EXPECT_EQ(view_type_menu_id(0), 40417);
  EXPECT_EQ(view_for_menu_id(3), 40424);
  EXPECT_EQ(view_for_menu_id(4), std::nullopt);
  EXPECT_EQ(view_type_menu_id(-1), std::nullopt);
}

}  // namespace
}  // namespace vosk::shell
