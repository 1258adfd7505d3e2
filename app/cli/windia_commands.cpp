// export-windia and import-windia: WinDIA text timetables out of and into
// data sets.
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "base/text_file.h"
#include "cli_prompt.h"
#include "commands.h"
#include "datafiles/open_save.h"
#include "exchange/windia_export.h"
#include "exchange/windia_import.h"

namespace vosk::cli {

std::string cli_program_folder();

namespace {

constexpr const char* kExportUsage =
    "export-windia takes FILE OUT.dia [--display-target N] [--pass]";

int file_error(const char* message, const std::string& path) {
  std::fprintf(stderr, message, path.c_str());
  return kDataError;
}

}  // namespace

int run_export_windia(const Args& args) {
  std::vector<std::string> files;
  int display_target = 1;
  bool view_pass = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--pass") {
      view_pass = true;
    } else if (a == "--display-target") {
      if (i + 1 == args.size()) return usage_error("--display-target needs a value");
      const std::string& v = args[++i];
      auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), display_target);
      if (ec != std::errc() || end != v.data() + v.size() || display_target < 1)
        return usage_error("--display-target needs a display target number, not '" + v + "'");
    } else if (a.rfind("--", 0) == 0) {
      return usage_error("unknown option '" + a + "'\n" + kExportUsage);
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) return usage_error(kExportUsage);

  CliPrompt prompt;
  datafiles::Session session{prompt, cli_program_folder()};
  auto ds = datafiles::read_data_set(files[0], session);
  if (!ds) {
    std::fprintf(stderr, "vosk-cli: %s could not be read\n", files[0].c_str());
    return kDataError;
  }
  const int count = ds->classification.display_targets.extent();
  if (display_target > count)
    return usage_error("--display-target " + std::to_string(display_target) +
                       " is out of range: the data set has " + std::to_string(count) +
                       " display target(s)");
  const std::string bytes = exchange::export_windia(*ds, {display_target - 1, view_pass});
  if (!textfile::write_binary_atomic(files[1], bytes))
    return file_error("書き込みファイル'%s'は開けませんでした。\n", files[1]);
  return kOk;
}

int run_import_windia(const Args& args) {
  if (args.size() != 2 || args[0].rfind("--", 0) == 0 || args[1].rfind("--", 0) == 0)
    return usage_error("import-windia takes IN.dia OUT.qvw");
  const auto bytes = textfile::read_binary(args[0]);
  if (!bytes) return file_error("読み込みファイル'%s'は開けませんでした。\n", args[0]);
  exchange::WindiaImport in = exchange::import_windia(*bytes);
  for (const std::string& w : in.warnings) std::fprintf(stderr, "vosk-cli: %s\n", w.c_str());
  CliPrompt prompt;
  datafiles::Session session{prompt, cli_program_folder()};
  if (!datafiles::write_data_set(args[1], in.data, session, {})) {
    std::fprintf(stderr, "vosk-cli: %s could not be written\n", args[1].c_str());
    return kDataError;
  }
  std::printf("stations: %d, runs: %d\n", in.data.map.stations.extent(),
              in.data.dia.diagrams.extent());
  return kOk;
}

}  // namespace vosk::cli
