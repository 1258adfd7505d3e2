// Reading the data set a drawing or export command works on.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli_prompt.h"
#include "commands.h"
#include "datafiles/open_save.h"

namespace vosk::cli {

std::string cli_program_folder();

std::optional<datafiles::DataSet> read_input_data_set(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    std::fprintf(stderr, "vosk-cli: %s: no such file\n", path.c_str());
    return std::nullopt;
  }
  CliPrompt prompt;
  datafiles::Session session{prompt, cli_program_folder()};
  std::optional<datafiles::DataSet> ds = datafiles::read_data_set(path, session);
  if (!ds) std::fprintf(stderr, "vosk-cli: %s could not be read\n", path.c_str());
  return ds;
}

}  // namespace vosk::cli
