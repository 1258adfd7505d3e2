#pragma once
// Results of the property edits on map records.
#include <string>

namespace vosk::map {

// A refused edit: the message box caption and text (UTF-8) the dialog shows.
// `field` names the input the message is about, in the edit's own field
// enumeration, so that the dialog can put the focus there; 0 = none.
struct EditError {
  std::string caption;
  std::string text;
  int field = 0;
};

// An edit that may also stop at a confirmation question.
struct EditResult {
  enum class Status {
    Applied,   // the records were changed
    Refused,   // a check failed; `error` holds the message; nothing changed
    Declined,  // the user answered "No" to a question; nothing changed
  };
  Status status = Status::Applied;
  EditError error;

  bool applied() const { return status == Status::Applied; }
};

}  // namespace vosk::map
