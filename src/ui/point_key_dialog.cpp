#include "ui/point_key_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "base/format.h"
#include "map/point_key_edit.h"
#include "ui/map_dialog_support.h"

namespace vosk::ui {

PointKeyDialog::PointKeyDialog(datafiles::DataSet& data, Prompt& prompt, bool english, int point,
                               QWidget* owner)
    : QDialog(owner), data_(data), prompt_(prompt), point_(point) {
  setWindowTitle(pick(english, "ポイントキー設定", "Point Key"));
  const auto& points = data.map.points;
  key_ = new QLineEdit(points.names_record(point) ? from_cp932(points[point].key) : QString(),
                       this);
  key_->selectAll();
  auto* heading =
      new QLabel(QString::fromStdString(format(english ? "Point %d" : "ポイント %d", point)), this);
  auto* form = new QFormLayout;
  form->addRow(pick(english, "ポイントキー(&K)", "Point &key"), key_);
  auto* note = new QLabel(pick(english, "大文字と小文字は区別されません。他のキーの先頭と重なるキーは使えません。",
                               "Letter case does not count; a key may not begin another key."),
                          this);
  note->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  buttons->button(QDialogButtonBox::Cancel)->setText(pick(english, "キャンセル", "Cancel"));
  ok_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &PointKeyDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PointKeyDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(buttons);
  key_->setFocus();
}

void PointKeyDialog::accept() {
  if (auto error = map::edit_point_key(data_.map.points, point_, to_cp932(key_->text()))) {
    tell_error(prompt_, *error);
    key_->setFocus();
    key_->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace vosk::ui
