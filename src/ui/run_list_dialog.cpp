#include "ui/run_list_dialog.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "base/time_text.h"
#include "dia/dia_operations.h"
#include "ui/dialog_support.h"

namespace vosk::ui {

RunListDialog::RunListDialog(std::vector<graph::RunRow> rows, Use use, shell::UiLanguage ui,
                             QWidget* owner)
    : QDialog(owner) {
  switch (use) {
    case Use::EditRun:
      setWindowTitle(pick("選択ダイヤ編集", "Edit a Run", ui));
      break;
    case Use::ShowRun:
      setWindowTitle(pick("選択ダイヤ表示", "Show a Run", ui));
      break;
    case Use::DeleteTemporary:
      setWindowTitle(pick("臨時ダイヤ削除", "Delete Temporary Runs", ui));
      break;
    case Use::FirstWorking:
      setWindowTitle(pick("初期ダイヤ選択", "Choose the First Working", ui));
      break;
  }
  runs_ = new QTreeWidget(this);
  runs_->setRootIsDecorated(false);
  runs_->setUniformRowHeights(true);
  runs_->setAllColumnsShowFocus(true);
  runs_->setHeaderLabels({pick("No.", "No.", ui), pick("列車番号", "Train", ui),
                          pick("種別", "Type", ui), pick("行先", "Destination", ui),
                          pick("始発時刻", "Starts", ui)});
  runs_->setSelectionMode(use == Use::DeleteTemporary ? QAbstractItemView::ExtendedSelection
                                                      : QAbstractItemView::SingleSelection);
  for (const graph::RunRow& row : rows) {
    auto* item = new QTreeWidgetItem(
        runs_, {QString::number(row.diagram), QString::fromStdString(row.train_number),
                QString::fromStdString(row.type), QString::fromStdString(row.destination),
                QString::fromStdString(row.start)});
    item->setData(0, Qt::UserRole, row.diagram);
    item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
  }
  for (int c = 0; c < runs_->columnCount(); ++c) runs_->resizeColumnToContents(c);
  runs_->setMinimumSize(420, 320);
  if (runs_->topLevelItemCount() > 0 && use != Use::DeleteTemporary)
    runs_->setCurrentItem(runs_->topLevelItem(0));

  QDialogButtonBox* buttons = ok_cancel_row(this, ui);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(runs_, 1);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  if (use != Use::DeleteTemporary)
    connect(runs_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
  runs_->setFocus();
}

std::vector<int> RunListDialog::chosen() const {
  std::vector<int> runs;
  for (int i = 0; i < runs_->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = runs_->topLevelItem(i);
    if (item->isSelected()) runs.push_back(item->data(0, Qt::UserRole).toInt());
  }
  return runs;
}

NewWorkingDialog::NewWorkingDialog(const std::vector<graph::StartRail>& rails, int time,
                                   Prompt& prompt, shell::UiLanguage ui, QWidget* owner)
    : QDialog(owner), prompt_(prompt) {
  setWindowTitle(pick("新規運用", "New Working", ui));
  rail_ = new QComboBox(this);
  for (const graph::StartRail& r : rails) rail_->addItem(QString::fromStdString(r.text), r.rail);
  rail_->setMinimumWidth(260);
  time_ = new QLineEdit(QString::fromStdString(timetext::format(time, true)).trimmed(), this);
  auto* form = new QFormLayout;
  form->addRow(pick("開始位置(&P):", "Start &position:", ui), rail_);
  form->addRow(pick("開始時刻(&T):", "Start &time:", ui), time_);
  QDialogButtonBox* buttons = ok_cancel_row(this, ui);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &NewWorkingDialog::try_accept);
  rail_->setFocus();
}

void NewWorkingDialog::try_accept() {
  if (rail_->currentIndex() < 0) {
    refuse_at(prompt_, caption::kInputDataError, "配置可能位置なし", rail_);
    return;
  }
  const std::optional<int> t = timetext::parse(time_->text().toStdString());
  if (!t) {
    const dia::EditResult bad = dia::check_start_time(-1);
    refuse_at(prompt_, bad.caption(), bad.text(), time_);
    return;
  }
  seconds_ = *t;
  accept();
}

}  // namespace vosk::ui
