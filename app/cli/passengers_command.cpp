// passengers: a picture of the passenger edit window over a data set.
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "cli_numbers.h"
#include "commands.h"
#include "passengers/passenger_controller.h"
#include "picture_output.h"

namespace vosk::cli {
namespace {

constexpr const char* kPassengersUsage =
    "passengers takes FILE OUT [--from N] [--to N] [--size WxH]";


struct PassengerOptions {
  std::string in, out;
  int from = 1, to = 0;
  Size size{760, 420};
};

std::string parse_options(const Args& args, PassengerOptions& o) {
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
      if (!parse_int(value, a == "--from" ? o.from : o.to))
        return a + " needs a station number, not '" + value + "'";
    } else if (a == "--size") {
      if (!parse_size(value, o.size))
        return "--size needs WIDTHxHEIGHT in pixels (1.." + std::to_string(kMaxPictureSide) +
               "), not '" + value + "'";
    } else {
      return "unknown option " + a;
    }
  }
  if (positional.size() != 2) return kPassengersUsage;
  o.in = positional[0];
  o.out = positional[1];
  return {};
}

// The header's buttons are widgets in the window; the picture outlines them.
void draw_buttons(Surface& s) {
  s.set_pen({PenStyle::Solid, 1, Rgb{128, 128, 128}});
  s.set_brush({Rgb{240, 240, 240}, false});
  s.set_text_colour(Rgb{0, 0, 0});
  s.set_text_align({HAlign::Center, VAlign::Top});
  for (const passengers::HeaderButton& b : passengers::PassengerController::buttons()) {
    s.rectangle(b.rect);
    const Size text = s.measure(b.text);
    s.text({(b.rect.left + b.rect.right) / 2, (b.rect.top + b.rect.bottom - text.height) / 2},
           b.text);
  }
}

}  // namespace

int run_passengers(const Args& args) {
  PassengerOptions o;
  if (std::string error = parse_options(args, o); !error.empty())
    return usage_error(error == kPassengersUsage ? error : error + "\n" + kPassengersUsage);
  if (picture_format(o.out) == PictureFormat::Unknown)
    return usage_error(std::string("OUT must end in .svg, .png or .pdf\n") + kPassengersUsage);
  auto ds = read_input_data_set(o.in);
  if (!ds) return kDataError;
  passengers::PassengerController window(*ds);
  if (!window.choose_stations(o.from, o.to))
    return usage_error("--from and --to need two different stations of the data set's " +
                       std::to_string(window.station_count()) + " (--to 0: every other station)\n" +
                       kPassengersUsage);
  const std::string error = write_picture(o.out, o.size, 1, [&](Surface& surface, int) {
    window.draw(surface);
    draw_buttons(surface);
  });
  if (!error.empty()) {
    std::fprintf(stderr, "vosk-cli: %s\n", error.c_str());
    return kDataError;
  }
  return kOk;
}

}  // namespace vosk::cli
