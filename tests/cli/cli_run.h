#pragma once
// Runs the vosk-cli program as a user would, capturing its output.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace vosk::testing {

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

inline CliRun cli(const std::string& args) {
  const char* exe = std::getenv("VOSK_CLI");  // lets a test run use another build
  if (!exe) exe = VOSK_CLI_PATH;
  TempDir capture;
  std::string cmd = std::string(exe) + " " + args + " >" + (capture / "out").string() + " 2>" +
                    (capture / "err").string();
  int status = std::system(cmd.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, capture.read("out"), capture.read("err")};
}

// A path quoted for the shell.
inline std::string q(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

}  // namespace vosk::testing
