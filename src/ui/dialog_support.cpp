#include "ui/dialog_support.h"

#include <QAbstractSpinBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "base/sjis.h"

namespace vosk::ui {

QString pick(const shell::BilingualText& text, shell::UiLanguage ui) {
  return QString::fromUtf8(text.pick(ui));
}

QString from_cp932(std::string_view bytes) {
  return QString::fromStdString(sjis::to_utf8_lossy(bytes));
}

std::string to_cp932(const QString& text) { return sjis::from_utf8_lossy(text.toStdString()); }

QDialogButtonBox* ok_cancel_row(QDialog* dialog, shell::UiLanguage ui) {
  auto* row = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  row->button(QDialogButtonBox::Ok)->setText(pick("OK", "OK", ui));
  row->button(QDialogButtonBox::Ok)->setDefault(true);
  row->button(QDialogButtonBox::Cancel)->setText(pick("キャンセル", "Cancel", ui));
  QObject::connect(row, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return row;
}

QDialogButtonBox* close_row(QDialog* dialog, shell::UiLanguage ui) {
  auto* row = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
  row->button(QDialogButtonBox::Close)->setText(pick("閉じる", "Close", ui));
  row->button(QDialogButtonBox::Close)->setDefault(true);
  QObject::connect(row, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return row;
}

void act_on_click_only(std::initializer_list<QPushButton*> buttons) {
  for (QPushButton* b : buttons) b->setAutoDefault(false);
}

void refuse_at(Prompt& prompt, const std::string& caption, const std::string& text,
               QWidget* field) {
  prompt.tell(caption, text);
  if (field == nullptr) return;
  field->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) spin->selectAll();
}

void finish_edit(QDialog& dialog, const dia::EditResult& result, Prompt& prompt, QWidget* field) {
  if (result.status() == dia::EditResult::Status::Refused) {
    refuse_at(prompt, result.caption(), result.text(), field);
  } else if (result.ok()) {
    dialog.QDialog::accept();
  } else {
    dialog.QDialog::reject();
  }
}

}  // namespace vosk::ui
