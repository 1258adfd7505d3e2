#pragma once
// Subcommands of vosk-cli. Each returns the process exit code:
// 0 success, 1 file or data error, 2 usage error.
#include <optional>
#include <string>
#include <vector>

#include "cli_prompt.h"
#include "datafiles/data_set.h"

namespace vosk::cli {

using Args = std::vector<std::string>;

constexpr int kOk = 0;
constexpr int kDataError = 1;
constexpr int kUsageError = 2;

struct Command {
  const char* name;
  const char* usage;    // arguments, for --help
  const char* summary;  // one line, for --help
  int (*run)(const Args& args);
};

// Every subcommand, in the order --help lists them.
const std::vector<Command>& commands();

int run_pack(const Args& args);
int run_unpack(const Args& args);
int run_split(const Args& args);
int run_info(const Args& args);
int run_convert(const Args& args);
int run_check(const Args& args);
int run_retime(const Args& args);
int run_make_sample(const Args& args);
int run_number(const Args& args);
int run_destinations(const Args& args);
int run_graph(const Args& args);
int run_passengers(const Args& args);
int run_diaedit(const Args& args);
int run_panel(const Args& args);
int run_rows(const Args& args);
int run_export_windia(const Args& args);
int run_import_windia(const Args& args);
int run_export_html(const Args& args);
int run_timetable(const Args& args);

// The data set FILE of a drawing or export command; a missing or unreadable
// file is told on stderr and gives nullopt.
std::optional<datafiles::DataSet> read_input_data_set(const std::string& path);

// Arguments of the commands that open a data set: the file names, --json
// (where allowed), and --yes / --strict for the questions asked on opening.
struct OpenOptions {
  std::vector<std::string> positional;
  bool json = false;
  PromptPolicy policy;
};
// Nullopt for an unknown option.
std::optional<OpenOptions> parse_open_options(const Args& args, bool allow_json);

// Prints "vosk-cli: message" and the usage hint to stderr; returns kUsageError.
int usage_error(const std::string& message);

}  // namespace vosk::cli
