// check and retime: the dia checks and the automatic measurement, in batch.
#include <cstdio>

#include "base/sjis.h"
#include "cli_prompt.h"
#include "commands.h"
#include "datafiles/dia_tools.h"
#include "datafiles/open_save.h"

namespace vosk::cli {

std::string cli_program_folder();

int run_check(const Args& args) {
  auto o = parse_open_options(args, false);
  if (!o || o->positional.size() != 1) return usage_error("check takes FILE [--yes] [--strict]");
  CliPrompt prompt(o->policy);
  datafiles::Session session{prompt, cli_program_folder()};
  auto ds = datafiles::read_data_set(o->positional[0], session);
  if (!ds) return kDataError;  // the reason is already on stderr
  if (prompt.strict_failure()) return kDataError;
  auto findings = datafiles::check_every_run(*ds, true);
  for (const dia::RunFindings& run : findings) {
    std::printf("%s\n", sjis::to_utf8_lossy(ds->dia.diagrams[run.run].train_number).c_str());
    for (std::string_view line : run.lines)
      std::printf("  %s\n", sjis::to_utf8_lossy(line).c_str());
  }
  return findings.empty() ? kOk : kDataError;
}

int run_retime(const Args& args) {
  if (args.size() != 2) return usage_error("retime takes IN and OUT");
  CliPrompt prompt;
  datafiles::Session session{prompt, cli_program_folder()};
  auto ds = datafiles::read_data_set(args[0], session);
  if (!ds) return kDataError;
  datafiles::RetimeResult r = datafiles::retime_missing(*ds);
  if (!datafiles::write_data_set(args[1], *ds, session, {})) return kDataError;
  std::printf("runs changed: %d\ntimes still missing: %d\n", r.runs_changed, r.times_still_missing);
  return kOk;
}

}  // namespace vosk::cli
