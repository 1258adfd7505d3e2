// number and destinations: the whole-dia numbering commands, answered Yes.
#include <cstdio>
#include <optional>
#include <string>

#include "base/prompt.h"
#include "cli_prompt.h"
#include "commands.h"
#include "datafiles/dia_tools.h"
#include "datafiles/map_lookup.h"
#include "datafiles/open_save.h"
#include "dia/numbering.h"
#include "dia/timing_lookup.h"

namespace vosk::cli {

std::string cli_program_folder();

namespace {

// The command's own confirmation is answered Yes: running it is the request.
// Anything else it says goes to stderr.
class ConfirmingPrompt : public Prompt {
 public:
  Answer ask(const std::string& caption, const std::string& text, Buttons buttons) override {
    if (buttons == Buttons::YesNo) return Answer::Yes;
    return fallback_.ask(caption, text, buttons);
  }

 private:
  CliPrompt fallback_;
};

// Loads IN, runs `command` on the data set and saves OUT.
template <class Command>
int run_on_data_set(const Args& files, Command command) {
  CliPrompt prompt;
  datafiles::Session session{prompt, cli_program_folder()};
  auto ds = datafiles::read_data_set(files[0], session);
  if (!ds) return kDataError;
  ConfirmingPrompt confirming;
  std::optional<int> changed = command(*ds, confirming);
  if (!changed) return kDataError;
  if (!datafiles::write_data_set(files[1], *ds, session, {})) return kDataError;
  std::printf("runs changed: %d\n", *changed);
  return kOk;
}

}  // namespace

int run_number(const Args& args) {
  Args files;
  std::optional<bool> serial;
  for (const std::string& a : args) {
    if (a == "--by-unit" || a == "--serial") {
      if (serial) return usage_error("number takes one of --by-unit and --serial");
      serial = a == "--serial";
    } else if (a.rfind("--", 0) == 0) {
      return usage_error("unknown option '" + a + "'");
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2 || !serial) return usage_error("number takes IN OUT --by-unit|--serial");
  return run_on_data_set(files, [&](datafiles::DataSet& ds, Prompt& prompt) {
    bool right_down = ds.header.map.right_down != 0;
    if (!*serial) return dia::number_by_formation(ds.dia, right_down, prompt);
    dia::MapTablesRef map{ds.map.rails, ds.map.prails, ds.map.targets, ds.map.stations};
    dia::TimingLookup timing(map, ds.classification, datafiles::timing_settings(ds.header));
    return dia::number_serially(ds.dia, timing, ds.header.dia.base_target, right_down, prompt);
  });
}

int run_destinations(const Args& args) {
  if (args.size() != 2) return usage_error("destinations takes IN and OUT");
  return run_on_data_set(args, [](datafiles::DataSet& ds, Prompt& prompt) {
    datafiles::TablesMapLookup map(ds.map);
    return dia::set_all_destinations(ds.dia, map, prompt);
  });
}

}  // namespace vosk::cli
