// make-sample: writes a made-up, self-consistent data set, for trying the
// editor out and for benchmarks.
#include <charconv>
#include <string>

#include "cli_prompt.h"
#include "commands.h"
#include "datafiles/open_save.h"
#include "samples/generator.h"

namespace vosk::cli {
namespace {

// A whole decimal number, nothing else.
template <class Number>
bool parse_number(const std::string& text, Number& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end && !text.empty();
}

}  // namespace

int run_make_sample(const Args& args) {
  samples::SampleOptions options;
  std::string out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--stations" || a == "--runs" || a == "--seed") {
      if (i + 1 == args.size()) return usage_error(a + " needs a number");
      const std::string& value = args[++i];
      bool ok = a == "--stations" ? parse_number(value, options.stations)
                : a == "--runs"   ? parse_number(value, options.runs)
                                  : parse_number(value, options.seed);
      if (!ok) return usage_error(a + " needs a number, not '" + value + "'");
    } else if (a.rfind("--", 0) == 0 || !out.empty()) {
      return usage_error("make-sample takes OUT [--stations N] [--runs M] [--seed S]");
    } else {
      out = a;
    }
  }
  if (out.empty()) return usage_error("make-sample takes OUT [--stations N] [--runs M] [--seed S]");

  datafiles::DataSet data = samples::make_sample(options);
  CliPrompt prompt;
  datafiles::Session session{prompt, ""};
  return datafiles::write_data_set(out, data, session, {}) ? kOk : kDataError;
}

}  // namespace vosk::cli
