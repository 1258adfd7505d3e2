// panel and rows: the track panel without a window.
#include <charconv>
#include <cstdio>
#include <string>

#include "cli_numbers.h"
#include "cli_prompt.h"
#include "commands.h"
#include "datafiles/open_save.h"
#include "panel/track_panel.h"
#include "picture_output.h"
#include "shell/line_styles.h"

namespace vosk::cli {

std::string cli_program_folder();

namespace {


// FILE OUT and one numeric option; nullopt for anything else.
struct PanelArgs {
  std::string in, out;
  int value = 0;
};

std::optional<PanelArgs> parse(const Args& args, const std::string& option, int fallback, int min,
                               int max) {
  PanelArgs p{{}, {}, fallback};
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == option) {
      if (i + 1 == args.size() || !parse_int(args[i + 1], p.value) || p.value < min ||
          p.value > max)
        return std::nullopt;
      ++i;
    } else if (args[i].rfind("--", 0) == 0) {
      return std::nullopt;
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) return std::nullopt;
  p.in = positional[0];
  p.out = positional[1];
  return p;
}

}  // namespace

// The picture a display window copies with F2: the whole map at the
// window's scale and settings, on black, nothing pending, no clock.
int run_panel(const Args& args) {
  auto p = parse(args, "--window", 0, 0, datafiles::kDisplayWindowCount - 1);
  if (!p) return usage_error("panel takes FILE OUT.svg|OUT.png [--window N] (N 0..15)");
  if (picture_format(p->out) == PictureFormat::Unknown)
    return usage_error("panel writes .svg or .png pictures: " + p->out);
  CliPrompt prompt;
  datafiles::Session session{prompt, cli_program_folder()};
  auto ds = datafiles::read_data_set(p->in, session);
  if (!ds) return kDataError;

  panel::TrackPanel panel(*ds, shell::builtin_main_window_line_styles());
  panel.view() = panel::window_view(ds->header, p->value);
  const std::string error = write_picture(p->out, panel.map_extent(), 1,
                                          [&](Surface& s, int) { panel.paint_whole_map(s); });
  if (!error.empty()) {
    std::fprintf(stderr, "ファイル書き込みエラー: %s\n", error.c_str());
    return kDataError;
  }
  return kOk;
}

// Auto Row for a window of the given width at the main window's scale.
int run_rows(const Args& args) {
  auto p = parse(args, "--width", 1280, 100, 1000000);
  if (!p) return usage_error("rows takes IN OUT [--width PX] (PX 100..1000000)");
  CliPrompt prompt;
  datafiles::Session session{prompt, cli_program_folder()};
  auto ds = datafiles::read_data_set(p->in, session);
  if (!ds) return kDataError;
  if (ds->map.rows.extent() < 1) {
    std::fprintf(stderr, "データエラー: %s has no display rows\n", p->in.c_str());
    return kDataError;
  }
  panel::TrackPanel panel(*ds, shell::builtin_main_window_line_styles());
  panel.view() = panel::window_view(ds->header, 0);
  panel.view().window.width = p->value;
  panel.auto_row();
  if (!datafiles::write_data_set(p->out, *ds, session, {})) return kDataError;
  return kOk;
}

}  // namespace vosk::cli
