#include "datafiles/bundle.h"

#include <gtest/gtest.h>

#include <random>

namespace vosk {
namespace {

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

TEST(Datafiles_BundlePackTests, PacksDigitsAndPunctuationIntoNibbles) {
  // 1 , - 2 LF -> codes 1 10 11 2 13 15
  EXPECT_EQ(bundle::pack("1,-2\n"), bytes({0x1A, 0xB2, 0xDF}));
}

TEST(Datafiles_BundlePackTests, EscapesOtherBytes) {
  EXPECT_EQ(bundle::pack("A"), bytes({0xE4, 0x1F}));
  // A text ending on a byte boundary gets a whole 0xFF end byte.
  EXPECT_EQ(bundle::pack("12"), bytes({0x12, 0xFF}));
  EXPECT_EQ(bundle::pack(""), bytes({0xFF}));
  // A lone CR and a double-byte character are literal bytes.
  EXPECT_EQ(bundle::pack("\r"), bytes({0xE0, 0xDF}));
  EXPECT_EQ(bundle::pack("\x82\xA0"), bytes({0xE8, 0x2E, 0xA0, 0xFF}));
}

TEST(Datafiles_BundlePackTests, UnpackStopsAtTheFirstEndCode) {
  auto r = bundle::unpack(bytes({0x1A, 0xB2, 0xDF, 0x12, 0x34}));
  EXPECT_EQ(r.status, bundle::UnpackStatus::Ok);
  EXPECT_EQ(r.text, "1,-2\n");
  auto high = bundle::unpack(bytes({0xF1, 0x23}));
  EXPECT_EQ(high.text, "");
  EXPECT_EQ(high.status, bundle::UnpackStatus::Ok);
}

TEST(Datafiles_BundlePackTests, UnpackReportsTruncatedData) {
  EXPECT_EQ(bundle::unpack("").status, bundle::UnpackStatus::MissingEnd);
  EXPECT_EQ(bundle::unpack(bytes({0x12})).status, bundle::UnpackStatus::MissingEnd);
  EXPECT_EQ(bundle::unpack(bytes({0x1E})).status, bundle::UnpackStatus::EndsInEscape);
  EXPECT_EQ(bundle::unpack(bytes({0xE4})).status, bundle::UnpackStatus::EndsInEscape);
  // An escape whose second nibble would be the end code is still a literal.
  auto r = bundle::unpack(bytes({0xE4, 0xFF}));
  EXPECT_EQ(r.status, bundle::UnpackStatus::Ok);
  EXPECT_EQ(r.text, "O");
}

TEST(Datafiles_BundlePackTests, RandomTextsSurvivePackAndUnpack) {
  std::mt19937 rng(20261208);
  const std::string alphabet = "0123456789,- \n\r#Aa.\x82\xA0\xFF";
  for (int round = 0; round < 300; ++round) {
    std::string text;
    int len = static_cast<int>(rng() % 200);
    bool any_bytes = round % 3 == 0;
    for (int i = 0; i < len; ++i)
      text.push_back(any_bytes ? static_cast<char>(rng() & 0xFF)
                               : alphabet[rng() % alphabet.size()]);
    auto r = bundle::unpack(bundle::pack(text));
    ASSERT_EQ(r.status, bundle::UnpackStatus::Ok);
    ASSERT_EQ(r.text, text) << "round " << round;
  }
}

TEST(Datafiles_BundleSplitTests, SplitsMembersAndDropsLeadingBytes) {
  auto r = bundle::split("junk\n#temp.qvd\n[K-ORV]\nversion=1220\n#rail.csv\n1,a#b\n#empty.csv\n#x.csv\n");
  ASSERT_FALSE(r.unsafe_name);
  const auto& m = r.members.members();
  ASSERT_EQ(m.size(), 4u);
  EXPECT_EQ(m[0].name, "temp.qvd");
  EXPECT_EQ(m[0].content, "[K-ORV]\nversion=1220\n");
  EXPECT_EQ(m[1].content, "1,a#b\n");  // '#' inside a line is content
  EXPECT_EQ(m[2].content, "");
  EXPECT_EQ(m[3].content, "");
}

TEST(Datafiles_BundleSplitTests, HashAloneEndsTheBundle) {
  auto r = bundle::split("#a.csv\n1\n#\n#b.csv\n2\n");
  ASSERT_EQ(r.members.members().size(), 1u);
  EXPECT_EQ(r.members.members()[0].content, "1\n");
}

TEST(Datafiles_BundleSplitTests, NamesAreTakenAsWritten) {
  auto r = bundle::split("#we#ird name.csv\nx\n");
  ASSERT_EQ(r.members.members().size(), 1u);
  EXPECT_EQ(r.members.members()[0].name, "we#ird name.csv");
}

TEST(Datafiles_BundleSplitTests, LastMemberWithTheWantedExtensionWins) {
  auto r = bundle::split("#one.qvd\nA\n#two.qvd\nB\n#rail.csv\n");
  EXPECT_EQ(r.members.find_by_extension("qvd")->name, "two.qvd");
  EXPECT_EQ(r.members.find_by_extension("QVD"), nullptr);  // exact, case-sensitive
  auto dup = bundle::split("#a.csv\n1\n#a.csv\n2\n");
  EXPECT_EQ(dup.members.find("a.csv")->content, "2\n");
}

TEST(Datafiles_BundleSplitTests, ContentWithoutFinalLineEndIsKept) {
  auto r = bundle::split("#a.csv\n1\n2");
  EXPECT_EQ(r.members.find("a.csv")->content, "1\n2");
  // A header line cut off before its line end creates no member.
  auto cut = bundle::split("#a.csv\n1\n#b.cs");
  EXPECT_EQ(cut.members.members().size(), 1u);
}

TEST(Datafiles_BundleSplitTests, FlagsNamesThatAreNotPlainFileNames) {
  for (std::string bad : {"..", "../x.csv", "/etc/passwd", "a/b.csv", "a\\b.csv", "."}) {
    const std::string text = "#" + bad + "\nx\n";
    auto r = bundle::split(text);
    ASSERT_TRUE(r.unsafe_name) << bad;
    EXPECT_EQ(*r.unsafe_name, bad);
  }
  EXPECT_TRUE(bundle::is_safe_member_name("..a.csv"));
  EXPECT_TRUE(bundle::is_safe_member_name("a..csv"));
}

TEST(Datafiles_BundleSplitTests, MemberHeaderUsesTheNameAfterTheLastSeparator) {
  std::string out;
  bundle::write_member_header(out, "/tmp/temp/rail.csv");
  bundle::write_member_header(out, "C:\\x\\temp.qvd");
  bundle::write_member_header(out, "plain.csv");
  EXPECT_EQ(out, "#rail.csv\n#temp.qvd\n#plain.csv\n");
}

}  // namespace
}  // namespace vosk
