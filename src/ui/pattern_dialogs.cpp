#include "ui/pattern_dialogs.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "base/time_text.h"
#include "diaedit/pattern_commands.h"
#include "ui/dialog_support.h"

namespace vosk::ui {
namespace {

constexpr const char* kBadTime = "時刻が不正です。再設定して下さい。\n";

QLineEdit* time_field(int seconds) {
  auto* field = new QLineEdit(QString::fromStdString(timetext::format(seconds, true)));
  field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) + 24);
  return field;
}

std::optional<int> time_in(const QLineEdit* field) {
  const std::optional<int> t = timetext::parse(field->text().trimmed().toStdString());
  if (!t || *t < 0 || *t > timetext::kMaxInput) return std::nullopt;
  return t;
}

}  // namespace

// --- 情報 -----------------------------------------------------------------------

PatternInfoDialog::PatternInfoDialog(diaedit::DiaEditController& controller, int pattern,
                                     Prompt& prompt, shell::UiLanguage ui, QWidget* parent)
    : QDialog(parent), controller_(controller), pattern_(pattern), prompt_(prompt) {
  setWindowTitle(pick("ダイヤパターン情報", "Dia Pattern Information", ui));
  const auto& patterns = controller.data().classification.patterns;
  const dia::Pattern p = patterns.names_record(pattern) ? patterns[pattern] : dia::Pattern{};
  short_ = new QLineEdit(from_cp932(p.short_name));
  name_ = new QLineEdit(from_cp932(p.name));
  name_->setMinimumWidth(name_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 30);
  next_ = new QComboBox;
  for (const dia::PatternChoice& c : diaedit::next_pattern_choices(controller.data(), pattern))
    next_->addItem(QString::fromStdString(c.label), c.pattern);
  const int at = next_->findData(p.next_pattern);
  next_->setCurrentIndex(at >= 0 ? at : 0);
  interval_ = time_field(p.interval);
  interval_->setToolTip(
      pick("0:00:00 は発駅時刻を自動指定しません", "0:00:00: no automatic start", ui));
  base_ = time_field(p.base_time);

  auto* form = new QFormLayout;
  form->addRow(pick("番号：", "Number:", ui), new QLabel(QString::number(pattern)));
  form->addRow(pick("略記名称(&S)：", "&Short name:", ui), short_);
  form->addRow(pick("名称(&N)：", "&Name:", ui), name_);
  form->addRow(pick("次運用パターン(&P)：", "Next working's &pattern:", ui), next_);
  form->addRow(pick("運転間隔(&I)：", "&Interval:", ui), interval_);
  form->addRow(pick("基準時刻(&B)：", "&Base time:", ui), base_);
  auto* buttons = ok_cancel_row(this, ui);
  connect(buttons, &QDialogButtonBox::accepted, this, &PatternInfoDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  short_->setFocus();
}

void PatternInfoDialog::accept() {
  const std::optional<int> interval = time_in(interval_);
  if (!interval) return refuse_at(prompt_, caption::kInputDataError, kBadTime, interval_);
  const std::optional<int> base = time_in(base_);
  if (!base) return refuse_at(prompt_, caption::kInputDataError, kBadTime, base_);
  dia::Pattern values;
  values.short_name = to_cp932(short_->text());
  values.name = to_cp932(name_->text());
  values.next_pattern = next_->currentData().toInt();
  values.interval = *interval;
  values.base_time = *base;
  const dia::EditResult r = controller_.set_pattern_info(pattern_, values);
  if (r.status() == dia::EditResult::Status::Refused) {
    const bool in_names = r.caption() == caption::kInputDataError && r.text().find("名称") == 0;
    QWidget* field = in_names ? static_cast<QWidget*>(short_) : next_;
    return refuse_at(prompt_, r.caption(), r.text(), field);
  }
  QDialog::accept();
}

// --- 管理 -----------------------------------------------------------------------

PatternManageDialog::PatternManageDialog(diaedit::DiaEditController& controller, Prompt& prompt,
                                         shell::UiLanguage ui, QWidget* parent)
    : QDialog(parent), controller_(controller), prompt_(prompt), ui_(ui) {
  setWindowTitle(pick("ダイヤパターン管理", "Dia Patterns", ui));
  list_ = new QListWidget;
  list_->setMinimumSize(list_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 34,
                        list_->fontMetrics().height() * 12);
  info_ = new QPushButton(pick("情報(&I)...", "&Information...", ui));
  edit_ = new QPushButton(pick("テンプレート編集(&E)", "&Edit template", ui));
  delete_ = new QPushButton(pick("削除(&D)", "&Delete", ui));
  act_on_click_only({info_, edit_, delete_});
  connect(info_, &QPushButton::clicked, this, &PatternManageDialog::show_info);
  connect(edit_, &QPushButton::clicked, this, &PatternManageDialog::edit_template);
  connect(delete_, &QPushButton::clicked, this, &PatternManageDialog::delete_selected);
  connect(list_, &QListWidget::itemDoubleClicked, this, &PatternManageDialog::show_info);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    for (QPushButton* b : {info_, edit_, delete_}) b->setEnabled(row >= 0);
  });

  auto* side = new QVBoxLayout;
  side->addWidget(info_);
  side->addWidget(edit_);
  side->addWidget(delete_);
  side->addStretch(1);
  auto* body = new QHBoxLayout;
  body->addWidget(list_, 1);
  body->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  auto* list_label = new QLabel(pick("ダイヤパターン(&L)：", "Dia &patterns:", ui));
  list_label->setBuddy(list_);
  layout->addWidget(list_label);
  layout->addLayout(body);
  layout->addWidget(close_row(this, ui));
  refresh(controller.current_pattern());
  list_->setFocus();
}

int PatternManageDialog::selected() const {
  const QListWidgetItem* item = list_->currentItem();
  return item ? item->data(Qt::UserRole).toInt() : 0;
}

void PatternManageDialog::refresh(int select) {
  list_->clear();
  for (const dia::PatternChoice& c : diaedit::pattern_list(controller_.data())) {
    auto* item = new QListWidgetItem(QString::fromStdString(c.label), list_);
    item->setData(Qt::UserRole, c.pattern);
  }
  const int row = select > 0 ? select - 1 : 0;
  list_->setCurrentRow(row < list_->count() ? row : list_->count() - 1);
  for (QPushButton* b : {info_, edit_, delete_}) b->setEnabled(list_->currentRow() >= 0);
}

void PatternManageDialog::show_info() {
  const int p = selected();
  if (p == 0) return;
  if (PatternInfoDialog(controller_, p, prompt_, ui_, this).exec() != QDialog::Accepted) return;
  changed_ = true;
  refresh(p);
}

void PatternManageDialog::edit_template() {
  if (controller_.edit_pattern_template(selected(), prompt_)) QDialog::accept();
}

void PatternManageDialog::delete_selected() {
  const int p = selected();
  if (p == 0) return;
  const dia::EditResult r = controller_.remove_pattern(p, prompt_);
  r.report(prompt_);
  if (!r.ok()) return;
  changed_ = true;
  refresh(p);
}

}  // namespace vosk::ui
