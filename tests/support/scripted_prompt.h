#pragma once
// A prompt that records every message box and answers from a script.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/prompt.h"

namespace vosk::testing {

struct AskedQuestion {
  std::string caption;
  std::string text;
  Buttons buttons;
};

class ScriptedPrompt : public Prompt {
 public:
  // Answers given in order; once the script is used up, OK boxes answer Ok
  // and any question fails the test.
  void script(std::initializer_list<Answer> answers) { answers_.insert(answers_.end(), answers); }
  // Once the script is used up, questions get `a` instead of failing.
  void answer_rest(Answer a) { rest_ = a; }
  Answer ask(const std::string& caption, const std::string& text, Buttons buttons) override;

  const std::vector<AskedQuestion>& asked() const { return asked_; }
  std::size_t count() const { return asked_.size(); }
  const AskedQuestion& last() const { return asked_.back(); }
  bool script_used_up() const { return answers_.empty(); }

 private:
  std::deque<Answer> answers_;
  std::optional<Answer> rest_;
  std::vector<AskedQuestion> asked_;
};

}  // namespace vosk::testing
