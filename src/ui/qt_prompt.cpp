#include "ui/qt_prompt.h"

namespace vosk::ui {

QMessageBox::StandardButtons standard_buttons(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return QMessageBox::Ok;
    case Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::AbortRetryIgnore:
      return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
  }
  return QMessageBox::Ok;
}

QMessageBox::StandardButton default_button(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
      return QMessageBox::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
      return QMessageBox::Yes;
    case Buttons::AbortRetryIgnore:
      return QMessageBox::Abort;
  }
  return QMessageBox::Ok;
}

Answer answer_for(QMessageBox::StandardButton clicked, Buttons buttons) {
  if (!(standard_buttons(buttons) & clicked)) clicked = QMessageBox::NoButton;
  switch (clicked) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    case QMessageBox::Abort:
      return Answer::Abort;
    case QMessageBox::Retry:
      return Answer::Retry;
    case QMessageBox::Ignore:
      return Answer::Ignore;
    default:
      break;
  }
  switch (buttons) {
    case Buttons::Ok:
      return Answer::Ok;
    case Buttons::OkCancel:
      return Answer::Cancel;
    case Buttons::YesNo:
      return Answer::No;
    case Buttons::YesNoCancel:
      return Answer::Cancel;
    case Buttons::AbortRetryIgnore:
      return Answer::Abort;
  }
  return Answer::Cancel;
}

Answer QtPrompt::ask(const std::string& caption, const std::string& text, Buttons buttons) {
  QMessageBox box(buttons == Buttons::Ok ? QMessageBox::Information
                  : buttons == Buttons::AbortRetryIgnore ? QMessageBox::Warning
                                                         : QMessageBox::Question,
                  QString::fromStdString(caption), QString::fromStdString(text),
                  standard_buttons(buttons), owner_.data());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(default_button(buttons));
  const int result = box.exec();
  return answer_for(static_cast<QMessageBox::StandardButton>(result), buttons);
}

}  // namespace vosk::ui
