// number and destinations: the whole-dia numbering commands, answered Yes.
#include <cstdio>
#include <optional>
#include <string>

#include "base/prompt.h"
#include "cli_prompt.h"
#include "commands.h"
#include "datafiles/dia_tools.h"
#include "datafiles/open_save.h"

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
    return datafiles::number_runs(ds, *serial, prompt);
  });
}

int run_destinations(const Args& args) {
  if (args.size() != 2) return usage_error("destinations takes IN and OUT");
  return run_on_data_set(args, [](datafiles::DataSet& ds, Prompt& prompt) {
    return datafiles::set_destinations(ds, prompt);
  });
}

}  // namespace vosk::cli
