#pragma once
// Small pieces every property dialog uses: texts in the UI language, CP932
// record texts shown and taken back, the OK/Cancel row, and the refusal that
// keeps a dialog open with the field in error focused.
#include <QDialogButtonBox>
#include <QString>
#include <initializer_list>
#include <string>
#include <string_view>

#include "base/prompt.h"
#include "dia/edit_result.h"
#include "shell/texts.h"

class QDialog;
class QPushButton;
class QWidget;

namespace vosk::ui {

QString pick(const shell::BilingualText& text, shell::UiLanguage ui);
inline QString pick(const char* japanese, const char* english, shell::UiLanguage ui) {
  return pick(shell::BilingualText{japanese, english}, ui);
}
// The same by the English flag (UTF-8 literals).
inline QString pick(bool english, const char* japanese, const char* english_text) {
  return QString::fromUtf8(english ? english_text : japanese);
}

QString from_cp932(std::string_view bytes);
std::string to_cp932(const QString& text);

// OK and Cancel (Enter and Esc), labelled in the UI language; OK calls
// `dialog`'s accept() only through the caller's own slot, so that a check
// can keep it open.
QDialogButtonBox* ok_cancel_row(QDialog* dialog, shell::UiLanguage ui);
// A single close button (Esc), for dialogs whose edits apply at once.
QDialogButtonBox* close_row(QDialog* dialog, shell::UiLanguage ui);

// Buttons that act inside a dialog: Enter never presses them, so that it
// always means OK (or Close).
void act_on_click_only(std::initializer_list<QPushButton*> buttons);

// Tells the refusal and puts the focus (and the selection) on `field`.
void refuse_at(Prompt& prompt, const std::string& caption, const std::string& text, QWidget* field);

// Ends a dialog's OK after the edit it ran: a refusal is told and keeps the
// dialog open on `field`; otherwise it closes, accepted when the edit was
// done and rejected when it was declined.
void finish_edit(QDialog& dialog, const dia::EditResult& result, Prompt& prompt, QWidget* field);

}  // namespace vosk::ui
