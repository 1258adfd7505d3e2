#pragma once
// Message boxes of the editor: the core's Prompt shown as a QMessageBox with
// the exact caption, text and button set the core asks for.
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "base/prompt.h"

namespace vosk::ui {

// The button set shown for a question, and the first (default) button.
QMessageBox::StandardButtons standard_buttons(Buttons buttons);
QMessageBox::StandardButton default_button(Buttons buttons);

// The answer for the button that closed the box. A box closed without a
// button of its set (Escape, the window's close box) gives the answer that
// changes nothing: Ok, No, Cancel or Abort.
Answer answer_for(QMessageBox::StandardButton clicked, Buttons buttons);

class QtPrompt : public Prompt {
 public:
  explicit QtPrompt(QWidget* owner = nullptr) : owner_(owner) {}
  // The window that owns the boxes (centred on it, modal to it).
  void set_owner(QWidget* owner) { owner_ = owner; }
  QWidget* owner() const { return owner_; }

  Answer ask(const std::string& caption, const std::string& text, Buttons buttons) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace vosk::ui
