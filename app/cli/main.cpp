// vosk-cli: the headless batch tool over the core library.
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"

namespace vosk::cli {

const std::vector<Command>& commands() {
  static const std::vector<Command> list = {
      {"pack", "TEXT PACKED", "pack bundle text into the nibble-packed form", run_pack},
      {"unpack", "PACKED TEXT", "unpack a packed bundle into bundle text", run_unpack},
      {"split", "BUNDLE DIR",
       "write every member of a bundle into DIR (.qvw/.qvb/.qve are unpacked first)", run_split},
      {"info", "FILE [--json]", "data version, map name, dia title and table record counts",
       run_info},
      {"convert", "IN OUT", "open IN fully and save it as OUT (kind by OUT's extension)",
       run_convert},
      {"check", "FILE", "check every run; exit 1 when something is reported", run_check},
      {"retime", "IN OUT", "measure the runs with missing times and save as OUT", run_retime},
      {"number", "IN OUT --by-unit|--serial",
       "set every run's train number (formation name and working order, or serial numbers in"
       " running order) and save as OUT",
       run_number},
      {"destinations", "IN OUT", "set every run's destination from its last stop and save as OUT",
       run_destinations},
      {"make-sample", "OUT [options]",
       "write a made-up data set; --stations N (5..300, default 12), --runs M (8..20000, default "
       "150),"
       " --seed S (default 1)",
       run_make_sample},
      {"graph", "FILE OUT [options]",
       "draw the train graph as a picture (.svg; .png/.pdf with the editor's toolkit);"
       " --from H:MM --to H:MM (default 6:00 to 7:00), --display-target N (default 1),"
       " --size WxH (default 1920x1080), --pages N splits the range into pages",
       run_graph},
      {"passengers", "FILE OUT [options]",
       "picture of the passenger edit window (.svg; .png with the editor's toolkit);"
       " --from N (default 1) and --to N (default 0, every other station) choose the pair,"
       " --size WxH (default 760x420)",
       run_passengers},
      {"diaedit", "FILE OUT [options]",
       "picture of the dia edit window (.svg; .png/.pdf with the editor's toolkit);"
       " --run N (default none), --size WxH (default 420x640), --font 1..5 (default 3),"
       " --detail lists the points with their times",
       run_diaedit},
      {"panel", "FILE OUT [--window N]",
       "picture of display window N's track panel (0 = main window, default), .svg or .png",
       run_panel},
      {"rows", "IN OUT [--width PX]",
       "lay the track panel out in rows for a window PX wide (default 1280) and save as OUT",
       run_rows},
      {"export-windia", "FILE OUT.dia [--display-target N] [--pass]",
       "write the dia as a WinDIA text timetable, seen through display target N (default 1);"
       " --pass writes passes with their times",
       run_export_windia},
      {"import-windia", "IN.dia OUT.qvw",
       "read a WinDIA text timetable into a new dia on a simple map and save it as OUT",
       run_import_windia},
      {"export-html", "FILE DIR [options]",
       "write one HTML station timetable per station and direction into DIR (made when missing);"
       " --display-target N (default 1), --detailed, --type-pos P and --for-pos P (0 none,"
       " 1 above, 2 below, 3 left, 4 right; 1 and 2 need --detailed), --small-type 0|1 and"
       " --small-for 0|1 (default 1), --suspense 0|1 (default 1), --double 0|1 and"
       " --deadhead 0|1 (default 0)",
       run_export_html},
      {"timetable", "FILE OUT [--display-target N]",
       "draw the down and up timetables as a picture (.svg; .png with the editor's toolkit)",
       run_timetable},
  };
  return list;
}

namespace {

void print_help(std::FILE* out) {
  std::fprintf(out, "usage: vosk-cli COMMAND ARGS...\n\ncommands:\n");
  for (const Command& c : commands())
    std::fprintf(out, "  %-8s %-14s %s\n", c.name, c.usage, c.summary);
  std::fprintf(out,
               "\noptions of info, convert and check: --yes answers Yes to repair questions,"
               " --strict fails on the first warning or question\n"
               "opening runs the map checks; their questions are printed to stderr and answered"
               " Ignore/No (data kept as loaded) unless --yes\n");
  std::fprintf(out,
               "\nexit codes: 0 success, 1 file or data error (\"caption: message\" on stderr),"
               " 2 usage error\n");
}

}  // namespace

int usage_error(const std::string& message) {
  std::fprintf(stderr, "vosk-cli: %s\nTry 'vosk-cli --help'.\n", message.c_str());
  return kUsageError;
}

}  // namespace vosk::cli

int main(int argc, char** argv) {
  using namespace vosk::cli;
  if (argc < 2) return usage_error("no command given");
  std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    print_help(stdout);
    return kOk;
  }
  for (const Command& c : commands()) {
    if (name == c.name) return c.run(Args(argv + 2, argv + argc));
  }
  return usage_error("unknown command '" + name + "'");
}
