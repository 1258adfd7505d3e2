#include "ui/next_working_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <algorithm>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/dia_edit_dialogs.h"
#include "ui/dialog_support.h"

namespace vosk::ui {
namespace {


QString title_of(int command, bool en) {
  switch (command) {
    case diaedit::kCmdChooseNextSame:
      return pick(en, "次運用選択　同方向", "Choose Next Working, Same Direction");
    case diaedit::kCmdChooseNextOpposite:
      return pick(en, "次運用選択　逆方向", "Choose Next Working, Opposite Direction");
    default:
      return pick(en, "次運用併結", "Couple Next Working");
  }
}

}  // namespace

NextWorkingDialog::NextWorkingDialog(diaedit::DiaEditController& controller, int command,
                                     Prompt& prompt, bool en, QWidget* parent)
    : QDialog(parent), controller_(controller), command_(command), prompt_(prompt) {
  setWindowTitle(title_of(command, en));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      command == diaedit::kCmdCoupleNext
          ? pick(en, "併結する列車のダイヤを選択して下さい。", "Choose the train to couple onto.")
          : pick(en, "次運用にするダイヤを選択して下さい。", "Choose the run that follows.")));
  list_ = new QTreeWidget;
  list_->setRootIsDecorated(false);
  list_->setAllColumnsShowFocus(true);
  list_->setUniformRowHeights(true);
  list_->header()->setStretchLastSection(false);
  list_->setHeaderLabels({pick(en, "列車番号", "Train"), pick(en, "種別", "Type"),
                          pick(en, "行先", "Destination"), pick(en, "編成", "Formation"),
                          pick(en, "始発", "From"), pick(en, "発時刻", "Departs"),
                          pick(en, "終着", "To"), pick(en, "着時刻", "Arrives")});
  for (const diaedit::CandidateRow& row : controller.next_candidates(command)) {
    auto* item = new QTreeWidgetItem(list_);
    const std::string* texts[] = {&row.train_number, &row.train_type, &row.destination,
                                  &row.formation,    &row.from,       &row.departure,
                                  &row.to,           &row.arrival};
    for (int k = 0; k < 8; ++k) item->setText(k, QString::fromStdString(*texts[k]).trimmed());
    // Times line up on the right, as in a timetable.
    for (int k : {5, 7}) item->setTextAlignment(k, Qt::AlignRight | Qt::AlignVCenter);
    item->setData(0, Qt::UserRole, row.run);
  }
  for (int k = 0; k < list_->columnCount(); ++k) list_->resizeColumnToContents(k);
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });
  layout->addWidget(list_, 1);
  QDialogButtonBox* buttons =
      ok_cancel_row(this, en ? shell::UiLanguage::English : shell::UiLanguage::Japanese);
  connect(buttons, &QDialogButtonBox::accepted, this, &NextWorkingDialog::accept);
  layout->addWidget(buttons);
  list_->setFocus();
  int width = 40;
  for (int k = 0; k < list_->columnCount(); ++k) width += list_->columnWidth(k);
  resize(std::max(480, std::min(width, 900)), 320);
}

void NextWorkingDialog::accept() {
  const QTreeWidgetItem* item = list_->currentItem();
  if (!item) {
    list_->setFocus();
    return;
  }
  finish_edit(*this,
              controller_.choose_candidate(command_, item->data(0, Qt::UserRole).toInt(), prompt_),
              prompt_, list_);
}

bool run_working_dialog(diaedit::DiaEditController& controller, const diaedit::Outcome& outcome,
                        Prompt& prompt, bool english, QWidget* parent) {
  using Request = diaedit::Outcome::Request;
  switch (outcome.request) {
    case Request::NextCandidates:
      return NextWorkingDialog(controller, outcome.command, prompt, english, parent).exec() ==
             QDialog::Accepted;
    case Request::NextFromPattern:
      return PatternChoiceDialog(controller, true, prompt, english, parent).exec() ==
             QDialog::Accepted;
    default:
      return false;
  }
}

}  // namespace vosk::ui
