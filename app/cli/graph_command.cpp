// graph: a picture of a data set's train graph, as the window would copy it.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cli_numbers.h"
#include "base/time_text.h"
#include "cli_prompt.h"
#include "commands.h"
#include "datafiles/open_save.h"
#include "graph/graph_controller.h"
#include "graph/page_split.h"
#include "picture_output.h"

namespace vosk::cli {

std::string cli_program_folder();

namespace {

constexpr const char* kGraphUsage =
    "graph takes FILE OUT [--from H:MM] [--to H:MM] [--display-target N] [--size WxH] [--pages N]";
constexpr int kMaxPages = 100;


struct GraphOptions {
  std::string in, out;
  graph::PageSettings page = graph::default_page_settings(graph::PageUse::Copy);
  int display_target = 1;
  Size size{1920, 1080};
  int pages = 1;
};

// Empty on success, else the usage message.
std::string parse_graph_options(const Args& args, GraphOptions& o) {
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0) {
      positional.push_back(a);
      continue;
    }
    if (i + 1 == args.size()) return a + " needs a value";
    const std::string& value = args[++i];
    if (a == "--from" || a == "--to") {
      const auto t = timetext::parse(value);
      if (!t) return a + " needs a time from 0:00 to 28:00, not '" + value + "'";
      (a == "--from" ? o.page.time_left : o.page.time_right) = *t;
    } else if (a == "--display-target") {
      if (!parse_int(value, o.display_target) || o.display_target < 1)
        return "--display-target needs a display target number, not '" + value + "'";
    } else if (a == "--size") {
      if (!parse_size(value, o.size))
        return "--size needs WIDTHxHEIGHT in pixels (1.." + std::to_string(kMaxPictureSide) +
               "), not '" + value + "'";
    } else if (a == "--pages") {
      if (!parse_int(value, o.pages) || o.pages < 1 || o.pages > kMaxPages)
        return "--pages needs a page count from 1 to " + std::to_string(kMaxPages) + ", not '" +
               value + "'";
    } else {
      return "unknown option " + a;
    }
  }
  if (positional.size() != 2) return kGraphUsage;
  o.in = positional[0];
  o.out = positional[1];
  if (o.page.time_left > o.page.time_right) std::swap(o.page.time_left, o.page.time_right);
  return {};
}

int graph_usage_error(const std::string& message) {
  return usage_error(message == kGraphUsage ? message : message + "\n" + kGraphUsage);
}

}  // namespace

int run_graph(const Args& args) {
  GraphOptions o;
  if (std::string error = parse_graph_options(args, o); !error.empty())
    return graph_usage_error(error);
  if (picture_format(o.out) == PictureFormat::Unknown)
    return graph_usage_error("OUT must end in .svg, .png or .pdf");

  auto ds = read_input_data_set(o.in);
  if (!ds) return kDataError;
  const int display_targets = ds->classification.display_targets.extent();
  if (o.display_target > display_targets)
    return graph_usage_error("--display-target " + std::to_string(o.display_target) +
                             " is out of range: the data set has " +
                             std::to_string(display_targets) + " display target(s)");

  graph::GraphController graph(*ds);
  graph.set_display_target(o.display_target - 1);
  graph.set_plot({o.page.margin_left, o.page.margin_top, o.size.width - o.page.margin_right,
                  o.size.height - o.page.margin_bottom});
  const auto pages = graph::split_pages(o.page.time_left, o.page.time_right, o.pages);
  const std::string error = write_picture(o.out, o.size, o.pages, [&](Surface& surface, int page) {
    surface.fill_rect({0, 0, o.size.width, o.size.height}, Rgb{255, 255, 255});
    const graph::PageRange range = pages[static_cast<std::size_t>(page)];
    graph.set_time_range(range.start, range.end);
    graph.draw(surface, {page, o.pages, o.pages > 1});
  });
  if (!error.empty()) {
    std::fprintf(stderr, "vosk-cli: %s\n", error.c_str());
    return kDataError;
  }
  return kOk;
}

}  // namespace vosk::cli
