#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

namespace vosk::testing {

Answer ScriptedPrompt::ask(const std::string& caption, const std::string& text, Buttons buttons) {
  asked_.push_back({caption, text, buttons});
  if (!answers_.empty()) {
    Answer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  if (buttons == Buttons::Ok) return Answer::Ok;
  if (rest_) return *rest_;
  ADD_FAILURE() << "unscripted question: [" << caption << "] " << text;
  return buttons == Buttons::AbortRetryIgnore ? Answer::Abort : Answer::Cancel;
}

}  // namespace vosk::testing
