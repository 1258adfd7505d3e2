// export-html: the station timetables of a data set as HTML files, as the
// timetable window's output dialog writes them.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_prompt.h"
#include "commands.h"
#include "datafiles/open_save.h"
#include "picture_output.h"
#include "timetable/html_export.h"
#include "timetable/timetable_controller.h"

namespace vosk::cli {

std::string cli_program_folder();

namespace {

constexpr const char* kExportUsage =
    "export-html takes FILE DIR [--display-target N] [--detailed] [--type-pos P] [--for-pos P]"
    " [--small-type 0|1] [--small-for 0|1] [--suspense 0|1] [--double 0|1] [--deadhead 0|1]";

bool parse_in_range(std::string_view text, int low, int high, int& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end && !text.empty() && out >= low && out <= high;
}

struct ExportOptions {
  std::string in, out;
  int display_target = 1;
  timetable::HtmlOptions html;
  timetable::TableView view;
};

std::string parse_export_options(const Args& args, ExportOptions& o) {
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0) {
      positional.push_back(a);
      continue;
    }
    if (a == "--detailed") {
      o.html.detailed = true;
      continue;
    }
    if (i + 1 == args.size()) return a + " needs a value";
    const std::string& value = args[++i];
    int v = 0;
    auto flag = [&](bool& target) {
      if (!parse_in_range(value, 0, 1, v)) return a + " needs 0 or 1, not '" + value + "'";
      target = v != 0;
      return std::string();
    };
    std::string error;
    if (a == "--display-target") {
      if (!parse_in_range(value, 1, dia::kMaxDisplayTargets, o.display_target))
        error = a + " needs a display target number, not '" + value + "'";
    } else if (a == "--type-pos" || a == "--for-pos") {
      if (!parse_in_range(value, 0, 4, v))
        error = a + " needs a position from 0 to 4 (none, above, below, left, right), not '" +
                value + "'";
      (a == "--type-pos" ? o.html.type_pos : o.html.for_pos) = v;
    } else if (a == "--small-type") {
      error = flag(o.html.small_type);
    } else if (a == "--small-for") {
      error = flag(o.html.small_for);
    } else if (a == "--suspense") {
      error = flag(o.view.suspense);
    } else if (a == "--double") {
      error = flag(o.view.coupled);
    } else if (a == "--deadhead") {
      error = flag(o.view.deadhead);
    } else {
      error = "unknown option " + a;
    }
    if (!error.empty()) return error;
  }
  if (positional.size() != 2) return kExportUsage;
  o.in = positional[0];
  o.out = positional[1];
  return {};
}

// The folder question has only one sensible answer here: the user named
// the folder on the command line.
class ExportPrompt : public Prompt {
 public:
  Answer ask(const std::string& caption, const std::string& text, Buttons buttons) override {
    if (buttons == Buttons::YesNo && caption == "フォルダ作成確認") return Answer::Yes;
    return inner_.ask(caption, text, buttons);
  }

 private:
  CliPrompt inner_;
};

}  // namespace

int run_export_html(const Args& args) {
  ExportOptions o;
  if (std::string error = parse_export_options(args, o); !error.empty())
    return usage_error(error == kExportUsage ? error : error + "\n" + kExportUsage);
  const auto above_or_below = [](int p) {
    return p == timetable::kAbove || p == timetable::kBelow;
  };
  if (!o.html.detailed && (above_or_below(o.html.type_pos) || above_or_below(o.html.for_pos)))
    return usage_error(
        "上下に種別や行先を表示する場合は、詳細表示を選択する必要があります。"
        " (--type-pos/--for-pos 1 or 2 need --detailed)");

  auto ds = read_input_data_set(o.in);
  if (!ds) return kDataError;
  const int display_targets = ds->classification.display_targets.extent();
  if (o.display_target > display_targets)
    return usage_error("--display-target " + std::to_string(o.display_target) +
                       " is out of range: the data set has " + std::to_string(display_targets) +
                       " display target(s)");

  ExportPrompt prompt;
  timetable::ExportDialog dialog{o.out, o.html};
  if (!timetable::accept_export_dialog(dialog, prompt)) return kDataError;
  const auto tables = timetable::build_timetables(*ds, o.display_target - 1, o.view);
  const auto result =
      timetable::export_station_html(*ds, tables, dialog.folder, dialog.options, prompt);
  if (!result.ok) return kDataError;
  std::printf("wrote %d file(s) to %s\n", result.files, dialog.folder.c_str());
  return kOk;
}

int run_timetable(const Args& args) {
  constexpr const char* usage = "timetable takes FILE OUT [--display-target N]";
  std::vector<std::string> positional;
  int display_target = 1;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--display-target") {
      positional.push_back(args[i]);
      continue;
    }
    if (i + 1 == args.size() ||
        !parse_in_range(args[i + 1], 1, dia::kMaxDisplayTargets, display_target))
      return usage_error(std::string("--display-target needs a display target number\n") + usage);
    ++i;
  }
  if (positional.size() != 2 || positional[0].rfind("--", 0) == 0 ||
      positional[1].rfind("--", 0) == 0)
    return usage_error(usage);
  if (picture_format(positional[1]) == PictureFormat::Unknown)
    return usage_error(std::string("OUT must end in .svg, .png or .pdf\n") + usage);
  auto ds = read_input_data_set(positional[0]);
  if (!ds) return kDataError;
  if (display_target > ds->classification.display_targets.extent())
    return usage_error("--display-target " + std::to_string(display_target) + " is out of range");

  // The window's tables as printed: runs as columns, the window's default
  // view flags, a page-sized plot bounding the remarks block.
  timetable::TimetableController tables(*ds);
  tables.set_display_target(display_target - 1);
  tables.set_printing(true);
  tables.set_font(Font{});
  const Size plot{1600, 1000};
  // The picture holds both tables, within the limits a picture file can
  // take; a first pass on the picture's own kind of surface measures them,
  // as its fonts may be wider than any stand-in.
  Size all{1, 1};
  std::string error = write_picture(positional[1], {1, 1}, 1, [&](Surface& surface, int) {
    tables.layout(surface, plot);
    all = tables.extent();
  });
  const int width = std::min(20000, all.width + 2);
  const int height = std::min(20000, all.height + 2);
  if (error.empty())
    error = write_picture(positional[1], {width, height}, 1, [&](Surface& surface, int) {
      surface.fill_rect({0, 0, width, height}, Rgb{255, 255, 255});
      tables.layout(surface, plot);
      tables.draw(surface);
    });
  if (!error.empty()) {
    std::fprintf(stderr, "vosk-cli: %s\n", error.c_str());
    return kDataError;
  }
  return kOk;
}

}  // namespace vosk::cli
