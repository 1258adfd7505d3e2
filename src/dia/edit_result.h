#pragma once
// Outcome of an edit of the dia tables. An edit checks everything first and
// changes the tables only when it is done; a refused edit carries the message
// box caption and text (UTF-8) for the caller to show, and a declined one is a
// confirmation the user answered No to. Neither changes anything.
#include <string>

#include "base/prompt.h"

namespace vosk::dia {

class EditResult {
 public:
  enum class Status { Done, Refused, Declined };

  // `number` names the record the edit created or selected, where it has one.
  static EditResult done(int number = 0) { return EditResult(Status::Done, {}, {}, number); }
  static EditResult refused(std::string caption, std::string text) {
    return EditResult(Status::Refused, std::move(caption), std::move(text), 0);
  }
  static EditResult declined() { return EditResult(Status::Declined, {}, {}, 0); }

  Status status() const { return status_; }
  bool ok() const { return status_ == Status::Done; }
  const std::string& caption() const { return caption_; }
  const std::string& text() const { return text_; }
  int number() const { return number_; }

  // Shows a refusal with an OK box; true when the edit was done.
  bool report(Prompt& prompt) const {
    if (status_ == Status::Refused) prompt.tell(caption_, text_);
    return ok();
  }

 private:
  EditResult(Status status, std::string caption, std::string text, int number)
      : status_(status), caption_(std::move(caption)), text_(std::move(text)), number_(number) {}

  Status status_;
  std::string caption_;
  std::string text_;
  int number_;
};

// Asks a Yes/No question; true on Yes.
inline bool confirmed(Prompt& prompt, const std::string& caption, const std::string& text) {
  return prompt.ask(caption, text, Buttons::YesNo) == Answer::Yes;
}

}  // namespace vosk::dia
