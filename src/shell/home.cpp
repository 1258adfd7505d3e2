#include "shell/home.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vosk::shell {
namespace {

constexpr std::string_view kHomeOption = "--home";

// Absolute, lexically normal, no trailing '/': the form the settings file
// compares byte for byte against [Path] CurrentPath.
std::string normalise(const std::string& folder, const std::string& working_folder) {
  std::filesystem::path p(folder);
  if (p.is_relative()) p = std::filesystem::path(working_folder) / p;
  std::string out = p.lexically_normal().string();
  while (!out.empty() && out.back() == '/') out.pop_back();
  return out;
}

bool present(const std::optional<std::string>& s) { return s && !s->empty(); }

std::optional<std::string> environment(const char* name) {
  const char* v = std::getenv(name);
  if (!v) return std::nullopt;
  return std::string(v);
}

}  // namespace

StartArguments split_home_argument(const std::vector<std::string>& args) {
  StartArguments out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == kHomeOption && i + 1 < args.size()) {
      out.home = args[++i];
    } else if (a.size() > kHomeOption.size() &&
               a.compare(0, kHomeOption.size(), kHomeOption) == 0 && a[kHomeOption.size()] == '=') {
      out.home = a.substr(kHomeOption.size() + 1);
    } else {
      out.rest.push_back(a);
    }
  }
  return out;
}

std::string choose_home(const HomeSources& sources, const std::string& working_folder,
                        const std::function<bool(const std::string&)>& file_exists) {
  if (present(sources.home_argument)) return normalise(*sources.home_argument, working_folder);
  if (present(sources.home_environment))
    return normalise(*sources.home_environment, working_folder);
  std::string exe = normalise(sources.executable_folder, working_folder);
  if (!sources.executable_folder.empty() && file_exists(exe + "/korv.ini")) return exe;
  // Without a home folder there is no per-user place; stay beside the program.
  if (sources.user_home.empty()) return exe;
  return normalise(sources.user_home + "/.local/share/vosk", working_folder);
}

std::string executable_folder() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return exe.parent_path().string();
}

std::string find_manual(const std::string& executable_folder, const std::string& program_folder,
                        const std::function<bool(const std::string&)>& file_exists) {
  for (const std::string* folder : {&executable_folder, &program_folder}) {
    if (folder->empty()) continue;
    std::string candidate = *folder + "/README.md";
    if (file_exists(candidate)) return candidate;
  }
  return {};
}

std::optional<std::string> locate_home(const std::optional<std::string>& home_argument,
                                       std::string* error) {
  HomeSources sources;
  sources.home_argument = home_argument;
  sources.home_environment = environment("VOSK_HOME");
  sources.executable_folder = executable_folder();
  sources.user_home = environment("HOME").value_or("");
  std::error_code ec;
  std::string working = std::filesystem::current_path(ec).string();
  std::string home = choose_home(sources, working, [](const std::string& file) {
    std::error_code e;
    return std::filesystem::is_regular_file(file, e);
  });
  std::filesystem::create_directories(home.empty() ? "/" : home, ec);
  if (ec) {
    if (error) *error = "cannot create the program folder " + home + ": " + ec.message();
    return std::nullopt;
  }
  return home;
}

ProgramFiles ProgramFiles::under(const std::string& folder) {
  ProgramFiles f;
  f.folder = folder;
  f.settings_file = folder + "/korv.ini";
  f.language_file = folder + "/Language.ini";
  f.dia_index_file = folder + "/system_map.ini";
  f.sound_folder = folder + "/sound/";
  return f;
}

}  // namespace vosk::shell
