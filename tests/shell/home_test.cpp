#include "shell/home.h"

#include <gtest/gtest.h>

#include <set>

namespace vosk::shell {
namespace {

struct FakeFiles {
  std::set<std::string> existing;
  std::function<bool(const std::string&)> exists() const {
    return [this](const std::string& f) { return existing.count(f) > 0; };
  }
};

TEST(Shell_HomeTests, HomeArgumentIsTakenOutOfTheCommandLine) {
  auto a = split_home_argument({"--home", "/data/vosk", "/f", "a b.qvw"});
  EXPECT_EQ(a.home, "/data/vosk");
  EXPECT_EQ(a.rest, (std::vector<std::string>{"/f", "a b.qvw"}));

  auto b = split_home_argument({"x.qvw", "--home=/h"});
  EXPECT_EQ(b.home, "/h");
  EXPECT_EQ(b.rest, (std::vector<std::string>{"x.qvw"}));

  // A trailing "--home" without a folder is an ordinary argument.
  auto c = split_home_argument({"--home"});
  EXPECT_FALSE(c.home);
  EXPECT_EQ(c.rest, (std::vector<std::string>{"--home"}));
}

TEST(Shell_HomeTests, ChoiceFollowsArgumentThenEnvironmentThenPortableThenUserFolder) {
  FakeFiles files;
  HomeSources s;
  s.home_argument = "/arg/";
  s.home_environment = "/env";
  s.executable_folder = "/opt/vosk/bin";
  s.user_home = "/home/u";
  EXPECT_EQ(choose_home(s, "/cwd", files.exists()), "/arg");

  s.home_argument.reset();
  EXPECT_EQ(choose_home(s, "/cwd", files.exists()), "/env");

  s.home_environment = "";  // set but empty counts as absent
  EXPECT_EQ(choose_home(s, "/cwd", files.exists()), "/home/u/.local/share/vosk");

  files.existing.insert("/opt/vosk/bin/korv.ini");
  EXPECT_EQ(choose_home(s, "/cwd", files.exists()), "/opt/vosk/bin");
}

TEST(Shell_HomeTests, ManualIsTheReadmeBesideTheProgramElseInTheProgramFolder) {
  FakeFiles files;
  EXPECT_EQ(find_manual("/opt/vosk", "/home/u/vosk", files.exists()), "");
  files.existing.insert("/home/u/vosk/README.md");
  EXPECT_EQ(find_manual("/opt/vosk", "/home/u/vosk", files.exists()), "/home/u/vosk/README.md");
  files.existing.insert("/opt/vosk/README.md");
  EXPECT_EQ(find_manual("/opt/vosk", "/home/u/vosk", files.exists()), "/opt/vosk/README.md");
  // An unknown executable folder is skipped, not taken as the root.
  files.existing.insert("/README.md");
  EXPECT_EQ(find_manual("", "", files.exists()), "");
}

TEST(Shell_HomeTests, FolderIsAbsoluteAndWithoutTrailingSlash) {
  FakeFiles files;
  HomeSources s;
  s.home_argument = "rel/./dir//";
  EXPECT_EQ(choose_home(s, "/work", files.exists()), "/work/rel/dir");
  // "/" itself: files then compose as "/korv.ini".
  s.home_argument = "/";
  EXPECT_EQ(choose_home(s, "/work", files.exists()), "");
}

TEST(Shell_HomeTests, FixedFilesAreComposedOnTheFolder) {
  auto f = ProgramFiles::under("/p");
  EXPECT_EQ(f.settings_file, "/p/korv.ini");
  EXPECT_EQ(f.language_file, "/p/Language.ini");
  EXPECT_EQ(f.dia_index_file, "/p/system_map.ini");
  EXPECT_EQ(f.sound_folder, "/p/sound/");
}

}  // namespace
}  // namespace vosk::shell
