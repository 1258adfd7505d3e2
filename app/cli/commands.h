#pragma once
// Subcommands of vosk-cli. Each returns the process exit code:
// 0 success, 1 file or data error, 2 usage error.
#include <string>
#include <vector>

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

// Prints "vosk-cli: message" and the usage hint to stderr; returns kUsageError.
int usage_error(const std::string& message);

}  // namespace vosk::cli
