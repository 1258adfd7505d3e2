#pragma once
// Answers message boxes without a person: the text goes to stderr as
// "caption: message"; questions get the answer that keeps data as loaded.
#include "base/prompt.h"

namespace vosk::cli {

struct PromptPolicy {
  bool yes_to_repairs = false;     // --yes: answer Yes to Yes/No questions
  bool fail_on_warning = false;    // --strict: a warning ends the run
};

class CliPrompt : public Prompt {
 public:
  explicit CliPrompt(PromptPolicy policy = {}) : policy_(policy) {}
  Answer ask(const std::string& caption, const std::string& text, Buttons buttons) override;
  // True once --strict saw a warning or question.
  bool strict_failure() const { return strict_failure_; }
  int messages() const { return messages_; }

 private:
  PromptPolicy policy_;
  bool strict_failure_ = false;
  int messages_ = 0;
};

}  // namespace vosk::cli
