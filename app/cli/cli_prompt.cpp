#include "cli_prompt.h"

#include <cstdio>
#include <string>

namespace vosk::cli {

Answer CliPrompt::ask(const std::string& caption, const std::string& text, Buttons buttons) {
  ++messages_;
  std::string line = text;
  while (!line.empty() && line.back() == '\n') line.pop_back();
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), line.c_str());
  if (policy_.fail_on_warning) {
    strict_failure_ = true;
    if (buttons == Buttons::AbortRetryIgnore) return Answer::Abort;
  }
  switch (buttons) {
    case Buttons::Ok:
      return Answer::Ok;
    case Buttons::OkCancel:
      return policy_.yes_to_repairs ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo:
      return policy_.yes_to_repairs ? Answer::Yes : Answer::No;
    case Buttons::YesNoCancel:
      return policy_.yes_to_repairs ? Answer::Yes : Answer::No;
    case Buttons::AbortRetryIgnore:
      return Answer::Ignore;
  }
  return Answer::Ok;
}

}  // namespace vosk::cli
