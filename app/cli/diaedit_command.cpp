// diaedit: a picture of the dia edit window with one run selected, as the
// window draws it.
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "cli_numbers.h"
#include "cli_prompt.h"
#include "commands.h"
#include "diaedit/dia_edit_controller.h"
#include "picture_output.h"

namespace vosk::cli {
namespace {

constexpr const char* kDiaEditUsage =
    "diaedit takes FILE OUT [--run N] [--size WxH] [--font 1..5] [--detail]";


}  // namespace

int run_diaedit(const Args& args) {
  std::vector<std::string> positional;
  int run = 0;
  int font = diaedit::kDefaultFontStep;
  bool detail = false;
  Size size{420, 640};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--detail") {
      detail = true;
      continue;
    }
    if (a.rfind("--", 0) != 0) {
      positional.push_back(a);
      continue;
    }
    if (i + 1 == args.size()) return usage_error(a + " needs a value\n" + kDiaEditUsage);
    const std::string& value = args[++i];
    if (a == "--run") {
      if (!parse_int(value, run) || run < 1) return usage_error("--run needs a run number");
    } else if (a == "--font") {
      if (!parse_int(value, font) || font < 1 || font > 5)
        return usage_error("--font needs a size step from 1 to 5");
    } else if (a == "--size") {
      if (!parse_size(value, size, 4000))
        return usage_error("--size needs WIDTHxHEIGHT in pixels (1..4000)");
    } else {
      return usage_error("unknown option " + a + "\n" + kDiaEditUsage);
    }
  }
  if (positional.size() != 2) return usage_error(kDiaEditUsage);
  if (picture_format(positional[1]) == PictureFormat::Unknown)
    return usage_error("OUT must end in .svg, .png or .pdf");
  auto ds = read_input_data_set(positional[0]);
  if (!ds) return kDataError;
  const auto& diagrams = ds->dia.diagrams;
  if (run != 0 && (!diagrams.names_record(run) || !diagrams[run].in_use()))
    return usage_error("--run " + std::to_string(run) + " names no run of the data set");

  diaedit::DiaEditController controller(*ds);
  controller.select(run);
  controller.set_font_step(font);
  CliPrompt prompt;
  if (detail) controller.command(diaedit::kCmdDetailTime, prompt);
  const std::string error = write_picture(positional[1], size, 1, [&](Surface& surface, int) {
    controller.draw(surface);
  });
  if (!error.empty()) {
    std::fprintf(stderr, "vosk-cli: %s\n", error.c_str());
    return kDataError;
  }
  std::printf("%s\n", controller.caption().c_str());
  return kOk;
}

}  // namespace vosk::cli
