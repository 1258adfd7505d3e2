#include "ui/dia_edit_dialogs.h"
#include "ui/dialog_support.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/time_text.h"
#include "dia/dia_event.h"
#include "diaedit/run_operations.h"

namespace vosk::ui {
namespace {

constexpr const char* kBadTime = "時刻が不正です。再設定して下さい。\n";

QString q(const std::string& utf8) { return QString::fromStdString(utf8); }

QString kind_text(int type, bool en) {
  switch (type) {
    case dia::kEventStop:
      return pick(en, "停車（発）", "Stop (departure)");
    case dia::kEventArrival:
      return pick(en, "到着（着）", "Arrival");
    case dia::kEventPass:
      return pick(en, "通過", "Pass");
    case dia::kEventPointBoth:
    case dia::kEventPoint:
      return pick(en, "ポイント", "Point");
    case dia::kEventStopNoSearch:
      return pick(en, "停車（運）", "Stop (not for connections)");
    default:
      return {};
  }
}

std::optional<int> parse_time(const QLineEdit* field) {
  return timetext::parse(field->text().trimmed().toStdString());
}

// Room for "28:00:00" and a little more, whatever the layout gives.
void size_time_field(QLineEdit* field) {
  field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) + 24);
}

void refuse_at(QLineEdit* field) {
  field->setFocus();
  field->selectAll();
}

QDialogButtonBox* ok_cancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

// --- 入力 -----------------------------------------------------------------------

TimeInputDialog::TimeInputDialog(diaedit::DiaEditController& controller, std::size_t event,
                                 Prompt& prompt, bool en, QWidget* parent)
    : QDialog(parent), controller_(controller), event_(event), prompt_(prompt) {
  setWindowTitle(pick(en, "時刻入力", "Time Input"));
  const std::optional<diaedit::EventFacts> facts = controller.event_facts(event);
  auto* form = new QFormLayout;
  form->addRow(pick(en, "線路：", "Rail:"), new QLabel(q(facts ? facts->rail : "")));
  form->addRow(pick(en, "種別：", "Kind:"), new QLabel(kind_text(facts ? facts->type : 0, en)));
  time_ = new QLineEdit(q(timetext::format(facts ? facts->time : 0, true)));
  time_->setToolTip(pick(en, "H:MM:SS または HHMMSS（0:00:00～28:00:00）",
                        "H:MM:SS or HHMMSS (0:00:00 to 28:00:00)"));
  size_time_field(time_);
  const bool arrival = facts && facts->type == dia::kEventArrival;
  form->addRow(arrival ? pick(en, "到着時刻(&T)：", "Arrival &time:")
                       : pick(en, "発車時刻(&T)：", "Departure &time:"),
               time_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(ok_cancel(this));
  time_->selectAll();
  time_->setFocus();
}

void TimeInputDialog::accept() {
  const std::optional<int> time = parse_time(time_);
  if (!time) {
    prompt_.tell(caption::kInputDataError, kBadTime);
    refuse_at(time_);
    return;
  }
  finish_edit(*this, controller_.input_time(event_, *time, prompt_), prompt_, time_);
}

// --- 基 -------------------------------------------------------------------------

EventDetailDialog::EventDetailDialog(diaedit::DiaEditController& controller, std::size_t event,
                                     Prompt& prompt, bool en, QWidget* parent)
    : QDialog(parent), controller_(controller), event_(event), prompt_(prompt) {
  setWindowTitle(pick(en, "停車・通過設定", "Event Detail"));
  const std::optional<diaedit::EventFacts> facts = controller.event_facts(event);
  const diaedit::EventFacts f = facts.value_or(diaedit::EventFacts{});
  auto* form = new QFormLayout;
  form->addRow(pick(en, "線路：", "Rail:"), new QLabel(q(f.rail)));
  form->addRow(pick(en, "駅：", "Station:"), new QLabel(q(f.station)));
  form->addRow(pick(en, "種別：", "Kind:"), new QLabel(kind_text(f.type, en)));
  form->addRow(pick(en, "時刻：", "Time:"), new QLabel(q(timetext::format(f.time, true))));
  if (f.type == dia::kEventStop || f.type == dia::kEventStopNoSearch)
    form->addRow(pick(en, "到着時刻：", "Arrival:"), new QLabel(q(timetext::format(f.arrival, true))));
  form->addRow(pick(en, "標準停車時間：", "Standard stop time:"),
               new QLabel(QString::number(f.stop_time) + pick(en, "秒", " s")));

  using diaedit::StopCommand;
  struct Choice {
    int id;
    const char* ja;
    const char* en;
  };
  const Choice choices[] = {
      {EventDetailDialog::kNoChange, "変更しない(&N)", "&No change"},
      {static_cast<int>(StopCommand::StopStandard), "停車　標準停車時間(&S)", "&Stop, standard stop time"},
      {static_cast<int>(StopCommand::StopAtDeparture), "着発　到着と発車を指定(&A)",
       "&Arrival and departure"},
      {static_cast<int>(StopCommand::StopNoPassengers), "着発　乗換検索に使わない(&R)",
       "Arrival and departure, not for &route search"},
      {static_cast<int>(StopCommand::Pass), "通過(&P)", "&Pass"},
      {static_cast<int>(StopCommand::Terminate), "終着(&E)", "T&erminate here"},
  };
  auto* box = new QGroupBox(pick(en, "変更", "Change to"));
  auto* radios = new QVBoxLayout(box);
  choices_ = new QButtonGroup(this);
  const dia::Diagram* d = controller.data().dia.diagrams.names_record(controller.diagram())
                              ? &controller.data().dia.diagrams[controller.diagram()]
                              : nullptr;
  for (const Choice& c : choices) {
    auto* radio = new QRadioButton(pick(en, c.ja, c.en));
    radio->setEnabled(c.id == kNoChange || (d && diaedit::stop_command_applies(
                                            *d, event, static_cast<StopCommand>(c.id))));
    choices_->addButton(radio, c.id);
    radios->addWidget(radio);
  }
  choices_->button(kNoChange)->setChecked(true);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(box);
  layout->addWidget(ok_cancel(this));
  choices_->button(kNoChange)->setFocus();
}

void EventDetailDialog::accept() {
  const int id = choices_->checkedId();
  if (id == kNoChange || id < 0) {
    QDialog::reject();  // nothing to change
    return;
  }
  finish_edit(*this,
              controller_.stop_command(event_, static_cast<diaedit::StopCommand>(id), prompt_),
              prompt_, choices_->button(id));
}

// --- パターン ---------------------------------------------------------------------

PatternChoiceDialog::PatternChoiceDialog(diaedit::DiaEditController& controller,
                                         bool next_working, Prompt& prompt, bool en,
                                         QWidget* parent)
    : QDialog(parent),
      controller_(controller),
      next_working_(next_working),
      prompt_(prompt),
      setup_(controller.pattern_setup(next_working)) {
  setWindowTitle(next_working ? pick(en, "次運用新規　パターン適用", "New Next Working from Pattern")
                              : pick(en, "ダイヤパターン適用", "Apply Dia Pattern"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(pick(en, "適用するダイヤパターンと、始発駅時刻を指定し下さい。",
                                   "Choose the dia pattern and the first departure time.")));
  list_ = new QListWidget;
  for (const dia::PatternChoice& choice : setup_.choices) {
    auto* item = new QListWidgetItem(q(choice.label), list_);
    item->setData(Qt::UserRole, choice.pattern);
    if (choice.pattern == setup_.preselected) list_->setCurrentItem(item);
  }
  if (!list_->currentItem() && list_->count() > 0) list_->setCurrentRow(0);
  layout->addWidget(list_, 1);

  auto* row = new QHBoxLayout;
  auto* label = new QLabel(setup_.heading.empty() ? pick(en, "始発駅時刻(&T)：", "First departure &time:")
                                                  : q(setup_.heading + "(&T)："));
  time_ = new QLineEdit(q(timetext::format(setup_.start_time, true)));
  label->setBuddy(time_);
  size_time_field(time_);
  row->addWidget(label);
  row->addWidget(time_, 1);
  const std::pair<const char*, const char*> names[] = {
      {"時刻自動(&A)", "&Auto"}, {"前(&P)", "&Previous"}, {"次(&N)", "&Next"}};
  const dia::PatternTimeButton buttons[] = {dia::PatternTimeButton::Automatic,
                                            dia::PatternTimeButton::Previous,
                                            dia::PatternTimeButton::Next};
  for (int k = 0; k < 3; ++k) {
    auto* b = new QPushButton(pick(en, names[k].first, names[k].second));
    b->setAutoDefault(false);
    const dia::PatternTimeButton which = buttons[k];
    connect(b, &QPushButton::clicked, this, [this, which] { press(which); });
    row->addWidget(b);
  }
  layout->addLayout(row);
  layout->addWidget(ok_cancel(this));
  list_->setFocus();
  resize(420, 320);
}

int PatternChoiceDialog::chosen_pattern() const {
  const QListWidgetItem* item = list_->currentItem();
  return item ? item->data(Qt::UserRole).toInt() : 0;
}

std::optional<int> PatternChoiceDialog::entered_time() {
  const std::optional<int> time = parse_time(time_);
  if (!time) {
    prompt_.tell(caption::kInputDataError, kBadTime);
    refuse_at(time_);
  }
  return time;
}

void PatternChoiceDialog::press(dia::PatternTimeButton button) {
  const std::optional<int> time = entered_time();
  if (!time) return;
  const dia::EditResult result = controller_.pattern_button(chosen_pattern(), button, *time);
  if (!result.ok()) {
    result.report(prompt_);
    refuse_at(time_);
    return;
  }
  time_->setText(q(timetext::format(result.number(), true)));
}

void PatternChoiceDialog::accept() {
  const std::optional<int> time = entered_time();
  if (!time) return;
  const int pattern = chosen_pattern();
  if (next_working_ && pattern == 0) {
    // A new next working needs a pattern to be made from.
    list_->setFocus();
    return;
  }
  finish_edit(*this,
              next_working_ ? controller_.next_from_pattern(pattern, *time, prompt_)
                            : controller_.apply_pattern(pattern, *time, prompt_),
              prompt_, list_);
}

}  // namespace vosk::ui
