#include "ui/coupling_dialog.h"

#include <QFormLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/dialog_support.h"

namespace vosk::ui {

CouplingDialog::CouplingDialog(const stock::SeriesTable& series, const FormationValues& initial,
                               shell::UiLanguage ui, QWidget* owner)
    : QDialog(owner) {
  setWindowTitle(pick("併結設定", "Coupling", ui));
  name_ = new QLineEdit(from_cp932(initial.name), this);
  series_ = new QComboBox(this);
  for (int s = 1; s <= series.extent(); ++s) {
    if (series[s].owned <= 0 && s != initial.series) continue;  // only series the dia owns
    series_->addItem(QStringLiteral("%1 %2両").arg(from_cp932(series[s].name)).arg(series[s].cars),
                     s);
  }
  series_->setCurrentIndex(std::max(0, series_->findData(initial.series)));
  auto* form = new QFormLayout;
  form->addRow(pick("編成名(&N):", "Formation &name:", ui), name_);
  form->addRow(pick("形式(&S):", "&Series:", ui), series_);
  QDialogButtonBox* buttons = ok_cancel_row(this, ui);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  name_->setFocus();
}

FormationValues CouplingDialog::values() const {
  FormationValues v;
  v.name = to_cp932(name_->text());  // the formation edits cut it to its field
  v.series = series_->currentData().toInt();
  return v;
}

std::optional<FormationValues> ask_formation(const stock::SeriesTable& series,
                                             const FormationValues& initial,
                                             shell::UiLanguage ui, QWidget* owner) {
  CouplingDialog dialog(series, initial, ui, owner);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.values();
}

}  // namespace vosk::ui
