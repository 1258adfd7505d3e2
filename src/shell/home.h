#pragma once
// The program folder and the fixed files inside it.
//
// Every path of the program is built by plain string concatenation on the
// program folder, which is kept without a trailing '/'. The folder is, in
// this order of preference: the `--home DIR` argument, the VOSK_HOME
// environment variable, the executable's own folder when it already holds
// korv.ini (a portable install), else ~/.local/share/vosk.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vosk::shell {

// Command-line arguments (without the program name) split into the home
// option and the rest, which is the command line proper (see command_line.h).
struct StartArguments {
  std::optional<std::string> home;  // from "--home DIR" or "--home=DIR"
  std::vector<std::string> rest;
};
StartArguments split_home_argument(const std::vector<std::string>& args);

// Where the program folder may come from. Empty optionals are absent.
struct HomeSources {
  std::optional<std::string> home_argument;
  std::optional<std::string> home_environment;  // VOSK_HOME
  std::string executable_folder;
  std::string user_home;  // $HOME
};

// The folder chosen from `sources`, made absolute against `working_folder`
// and without trailing slashes ("/" itself becomes ""). `file_exists` tells
// whether the executable folder already holds korv.ini.
std::string choose_home(const HomeSources& sources, const std::string& working_folder,
                        const std::function<bool(const std::string&)>& file_exists);

// The same for the running process: reads VOSK_HOME, HOME and the
// executable's folder, and creates the chosen folder when it is missing.
// nullopt (with `error` set) when the folder cannot be created.
std::optional<std::string> locate_home(const std::optional<std::string>& home_argument,
                                       std::string* error);

// Folder of the running executable, empty when it cannot be found.
std::string executable_folder();

// The user manual: the README.md shipped beside the executable, else one in
// the program folder; empty when neither exists.
std::string find_manual(const std::string& executable_folder, const std::string& program_folder,
                        const std::function<bool(const std::string&)>& file_exists);

// The fixed files of the program folder.
struct ProgramFiles {
  std::string folder;          // no trailing '/'
  std::string settings_file;   // "/korv.ini"
  std::string language_file;   // "/Language.ini"
  std::string dia_index_file;  // "/system_map.ini", one section per dia title
  std::string sound_folder;    // "/sound/", kept with its trailing '/'

  static ProgramFiles under(const std::string& folder);
};

}  // namespace vosk::shell
