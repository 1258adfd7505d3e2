#include "ui/display_target_dialogs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/dialog_support.h"

namespace vosk::ui {
namespace {

// Metres the 表示位置 field takes: distances are kept in units of 10 m.
constexpr int kMaxMetres = 99999990;

std::vector<int> selected_targets(const QListWidget* list) {
  std::vector<int> targets;
  for (int row = 0; row < list->count(); ++row) {
    const QListWidgetItem* item = list->item(row);
    if (item->isSelected()) targets.push_back(item->data(Qt::UserRole).toInt());
  }
  return targets;
}

void fill(QListWidget* list, const std::vector<datafiles::DisplayTargetRow>& rows,
          const std::vector<int>& selected) {
  list->clear();
  for (const datafiles::DisplayTargetRow& row : rows) {
    auto* item = new QListWidgetItem(from_cp932(row.text), list);
    item->setData(Qt::UserRole, row.target);
    for (int t : selected)
      if (t == row.target) item->setSelected(true);
  }
}

}  // namespace

// --- 表示対象設定 ------------------------------------------------------------------

DisplayTargetEditDialog::DisplayTargetEditDialog(datafiles::DataSet& ds, int n, Prompt& prompt,
                                                 shell::UiLanguage ui, QWidget* owner)
    : QDialog(owner), ds_(ds), editor_(ds, n), prompt_(prompt) {
  setWindowTitle(pick("表示対象設定", "Display Target", ui));
  name_ = new QLineEdit(from_cp932(editor_.name()), this);
  flag_ = new QCheckBox(
      pick("輸送断面ウインドウ表示対象(&W)", "Shown in the cross-section &window", ui), this);
  flag_->setChecked(editor_.cross_section());
  protected_ = new QCheckBox(pick("編集保護(&P)", "&Protected", ui), this);
  protected_->setChecked(editor_.is_protected());
  shown_ = new QListWidget(this);
  hidden_ = new QListWidget(this);
  for (QListWidget* list : {shown_, hidden_}) {
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setMinimumSize(220, 260);
  }
  show_ = new QPushButton(QStringLiteral("<<"), this);
  hide_ = new QPushButton(QStringLiteral(">>"), this);
  act_on_click_only({show_, hide_});
  position_ = new QSpinBox(this);
  position_->setRange(0, kMaxMetres);
  position_->setSingleStep(10);
  position_->setSuffix(QStringLiteral(" [m]"));

  auto* name_row = new QHBoxLayout;
  auto* name_label = new QLabel(pick("名称(&N):", "&Name:", ui), this);
  name_label->setBuddy(name_);
  name_row->addWidget(name_label);
  name_row->addWidget(name_, 1);
  auto* shown_box = new QGroupBox(pick("表示", "Shown", ui), this);
  auto* shown_layout = new QVBoxLayout(shown_box);
  shown_layout->addWidget(shown_);
  auto* position_row = new QHBoxLayout;
  auto* position_label = new QLabel(pick("表示位置(&D):", "&Distance:", ui), this);
  position_label->setBuddy(position_);
  position_row->addWidget(position_label);
  position_row->addWidget(position_, 1);
  shown_layout->addLayout(position_row);
  auto* hidden_box = new QGroupBox(pick("非表示", "Not shown", ui), this);
  auto* hidden_layout = new QVBoxLayout(hidden_box);
  hidden_layout->addWidget(hidden_);
  auto* moves = new QVBoxLayout;
  moves->addStretch();
  moves->addWidget(show_);
  moves->addWidget(hide_);
  moves->addStretch();
  auto* lists = new QHBoxLayout;
  lists->addWidget(shown_box, 1);
  lists->addLayout(moves);
  lists->addWidget(hidden_box, 1);
  QDialogButtonBox* buttons = ok_cancel_row(this, ui);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(name_row);
  layout->addWidget(flag_);
  layout->addWidget(protected_);
  layout->addLayout(lists, 1);
  layout->addWidget(buttons);

  fill_lists();
  connect(show_, &QPushButton::clicked, this, [this] { move(hidden_, true); });
  connect(hide_, &QPushButton::clicked, this, [this] { move(shown_, false); });
  connect(protected_, &QCheckBox::toggled, this, [this](bool on) {
    editor_.set_protected(on);
    update_enabling();
  });
  connect(shown_, &QListWidget::itemSelectionChanged, this, [this] {
    if (!updating_) update_enabling();
  });
  connect(hidden_, &QListWidget::itemSelectionChanged, this, [this] {
    if (!updating_) update_enabling();
  });
  connect(position_, &QSpinBox::valueChanged, this, &DisplayTargetEditDialog::position_changed);
  connect(buttons, &QDialogButtonBox::accepted, this, &DisplayTargetEditDialog::try_accept);
  name_->setFocus();
}

int DisplayTargetEditDialog::single_shown() const {
  const std::vector<int> targets = selected_targets(shown_);
  return targets.size() == 1 ? targets.front() : 0;
}

void DisplayTargetEditDialog::fill_lists() {
  updating_ = true;
  fill(shown_, editor_.shown(), {});
  fill(hidden_, editor_.hidden(), {});
  updating_ = false;
  update_enabling();
}

void DisplayTargetEditDialog::update_enabling() {
  const bool editable = !editor_.is_protected();
  show_->setEnabled(editable);
  hide_->setEnabled(editable);
  const int target = single_shown();
  position_->setEnabled(editable && target != 0);
  const QSignalBlocker block(position_);
  position_->setValue(target != 0 ? editor_.distance(target) * 10 : 0);
}

void DisplayTargetEditDialog::move(QListWidget* from, bool onto_display_target) {
  const std::vector<int> targets = selected_targets(from);
  if (targets.empty()) return;
  if (onto_display_target) {
    editor_.show(targets);
  } else {
    editor_.hide(targets);
  }
  updating_ = true;
  fill(shown_, editor_.shown(), onto_display_target ? targets : std::vector<int>{});
  fill(hidden_, editor_.hidden(), onto_display_target ? std::vector<int>{} : targets);
  updating_ = false;
  update_enabling();
}

void DisplayTargetEditDialog::position_changed(int metres) {
  const int target = single_shown();
  if (target == 0) return;
  if (!editor_.set_position(target, metres).report(prompt_)) return;
  // The list keeps its order by distance; the field keeps what is being
  // typed (a value rounded to 10 m would fight the next keystroke).
  updating_ = true;
  fill(shown_, editor_.shown(), {target});
  updating_ = false;
}

void DisplayTargetEditDialog::try_accept() {
  editor_.set_name(to_cp932(name_->text()));
  editor_.set_cross_section(flag_->isChecked());
  editor_.set_protected(protected_->isChecked());
  editor_.store(ds_);
  accept();
}

// --- 表示対象切替・編集 ---------------------------------------------------------------

DisplayTargetListDialog::DisplayTargetListDialog(datafiles::DataSet& ds, int current,
                                                 Prompt& prompt, shell::UiLanguage ui,
                                                 QWidget* owner, bool cross_section_only)
    : QDialog(owner), ds_(ds), prompt_(prompt), ui_(ui), cross_section_only_(cross_section_only) {
  setWindowTitle(pick("表示対象切替・編集", "Display Targets", ui));
  list_ = new QListWidget(this);
  list_->setMinimumSize(240, 200);
  select_ = new QPushButton(pick("選択(&S)", "&Select", ui), this);
  close_ = new QPushButton(pick("終了(&X)", "Close", ui), this);
  edit_ = new QPushButton(pick("編集(&E)", "&Edit...", ui), this);
  copy_ = new QPushButton(pick("コピー(&C)", "&Copy", ui), this);
  delete_ = new QPushButton(pick("削除(&D)", "&Delete", ui), this);
  act_on_click_only({close_, edit_, copy_, delete_});
  select_->setDefault(true);

  auto* side = new QVBoxLayout;
  side->addWidget(select_);
  side->addWidget(close_);
  side->addSpacing(12);
  side->addWidget(edit_);
  side->addWidget(copy_);
  side->addWidget(delete_);
  side->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(side);

  refresh(current);
  connect(list_, &QListWidget::currentRowChanged, this, [this] { update_enabling(); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { choose(); });
  connect(select_, &QPushButton::clicked, this, &DisplayTargetListDialog::choose);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  connect(edit_, &QPushButton::clicked, this, &DisplayTargetListDialog::edit_selected);
  connect(copy_, &QPushButton::clicked, this, &DisplayTargetListDialog::copy_selected);
  connect(delete_, &QPushButton::clicked, this, &DisplayTargetListDialog::delete_selected);
  list_->setFocus();
}

void DisplayTargetListDialog::refresh(int select) {
  const dia::DisplayTargetTable& table = ds_.classification.display_targets;
  list_->clear();
  for (int n = 1; n <= table.extent(); ++n) list_->addItem(from_cp932(table[n].name));
  if (table.extent() > 0) list_->setCurrentRow(std::clamp(select, 1, table.extent()) - 1);
  update_enabling();
}

void DisplayTargetListDialog::update_enabling() {
  const dia::DisplayTargetTable& table = ds_.classification.display_targets;
  const int n = current();
  const bool any = table.names_record(n);
  select_->setEnabled(any && (!cross_section_only_ || table[n].flag != 0));
  edit_->setEnabled(any);
  copy_->setEnabled(any);
  delete_->setEnabled(any);
}

void DisplayTargetListDialog::choose() {
  if (!select_->isEnabled()) return;
  chosen_ = current();
  accept();
}

void DisplayTargetListDialog::edit_selected() {
  const int n = current();
  if (!ds_.classification.display_targets.names_record(n)) return;
  DisplayTargetEditDialog dialog(ds_, n, prompt_, ui_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  changed_ = true;
  refresh(n);
}

void DisplayTargetListDialog::copy_selected() {
  const dia::EditResult r = datafiles::copy_display_target(ds_, current());
  if (!r.report(prompt_)) return;
  changed_ = true;
  refresh(r.number());
}

void DisplayTargetListDialog::delete_selected() {
  const dia::EditResult r = datafiles::delete_display_target(ds_, current(), prompt_);
  if (!r.report(prompt_)) return;
  changed_ = true;
  refresh(r.number());
}

}  // namespace vosk::ui
