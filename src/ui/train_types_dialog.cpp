#include "ui/train_types_dialog.h"

#include <QColorDialog>
#include <QFormLayout>
#include <QIcon>
#include <QPixmap>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "base/sjis.h"
#include "ui/dialog_support.h"

namespace vosk::ui {
namespace {

QString list_text(const dia::TrainTypeTable& table, int n) {
  return QStringLiteral("%1  %2").arg(n, 3).arg(from_cp932(table[n].name));
}

}  // namespace

TrainTypesDialog::TrainTypesDialog(dia::TrainTypeTable& table, Prompt& prompt,
                                   shell::UiLanguage ui, QWidget* owner)
    : QDialog(owner), table_(table), copy_(table), prompt_(prompt) {
  setWindowTitle(pick("列車種別設定", "Train Types", ui));
  list_ = new QListWidget(this);
  list_->setMinimumWidth(200);
  letter_ = new QLineEdit(this);
  short_ = new QLineEdit(this);
  name_ = new QLineEdit(this);
  passengers_ = new QCheckBox(pick("客扱い(&P)", "Carries &passengers", ui), this);
  style_ = new QComboBox(this);
  style_->addItems({pick("実線", "Solid", ui), pick("破線", "Dashed", ui),
                    pick("点線", "Dotted", ui), pick("一点鎖線", "Dash-dot", ui)});
  width_ = new QComboBox(this);
  for (int w : dia::kLineWidths) width_->addItem(QString::fromStdString(dia::line_width_text(w)), w);
  colour_button_ = new QPushButton(pick("色(&C)...", "&Colour...", ui), this);
  add_ = new QPushButton(pick("追加(&A)", "&Add", ui), this);
  act_on_click_only({colour_button_, add_});

  auto* form = new QFormLayout;
  form->addRow(pick("一文字名称(&L):", "&Letter name:", ui), letter_);
  form->addRow(pick("略記名称(&S):", "&Short name:", ui), short_);
  form->addRow(pick("名称(&N):", "&Name:", ui), name_);
  form->addRow(QString(), passengers_);
  form->addRow(pick("線種(&Y):", "Line st&yle:", ui), style_);
  form->addRow(pick("線幅(&W):", "Line &width:", ui), width_);
  form->addRow(pick("色:", "Colour:", ui), colour_button_);
  auto* side = new QVBoxLayout;
  side->addLayout(form);
  side->addStretch();
  side->addWidget(add_, 0, Qt::AlignLeft);
  auto* top = new QHBoxLayout;
  top->addWidget(list_);
  top->addLayout(side, 1);
  QDialogButtonBox* buttons = ok_cancel_row(this, ui);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);

  refresh_list();
  list_->setCurrentRow(copy_.extent() >= 1 ? 0 : -1);
  show_selected();
  connect(list_, &QListWidget::currentRowChanged, this, [this] {
    if (updating_) return;
    collect();
    show_selected();
  });
  connect(colour_button_, &QPushButton::clicked, this, &TrainTypesDialog::choose_colour);
  connect(add_, &QPushButton::clicked, this, &TrainTypesDialog::add_type);
  connect(buttons, &QDialogButtonBox::accepted, this, &TrainTypesDialog::try_accept);
  list_->setFocus();
}

void TrainTypesDialog::refresh_list() {
  updating_ = true;
  const int row = list_->currentRow();
  list_->clear();
  for (int n = 1; n <= copy_.extent(); ++n) list_->addItem(list_text(copy_, n));
  list_->setCurrentRow(row);
  updating_ = false;
}

void TrainTypesDialog::set_colour(const QColor& colour) {
  colour_ = colour;
  QPixmap swatch(28, 14);
  swatch.fill(colour);
  colour_button_->setIcon(QIcon(swatch));
  colour_button_->setIconSize(swatch.size());
}

void TrainTypesDialog::choose_colour() {
  const QColor chosen = QColorDialog::getColor(colour_, this);
  if (chosen.isValid()) set_colour(chosen);
}

void TrainTypesDialog::collect() {
  if (!copy_.names_record(shown_)) return;
  dia::TrainType t = copy_[shown_];
  t.letter_name = to_cp932(letter_->text());
  t.short_name = to_cp932(short_->text());
  t.name = to_cp932(name_->text());
  t.passenger_service = passengers_->isChecked() ? 1 : 0;
  if (style_->currentIndex() >= 0) t.line_style = style_->currentIndex();
  if (width_->currentIndex() >= 0) t.line_width = width_->currentData().toInt();
  t.red = static_cast<std::uint8_t>(colour_.red());
  t.green = static_cast<std::uint8_t>(colour_.green());
  t.blue = static_cast<std::uint8_t>(colour_.blue());
  dia::set_train_type(copy_, shown_, t);
  if (QListWidgetItem* item = list_->item(shown_ - 1)) item->setText(list_text(copy_, shown_));
}

void TrainTypesDialog::show_selected() {
  shown_ = selected();
  const bool any = copy_.names_record(shown_);
  for (QWidget* w : std::initializer_list<QWidget*>{letter_, short_, name_, passengers_, style_,
                                                    width_, colour_button_}) {
    w->setEnabled(any);
  }
  if (!any) return;
  const dia::TrainType& t = copy_[shown_];
  letter_->setText(from_cp932(t.letter_name));
  short_->setText(from_cp932(t.short_name));
  name_->setText(from_cp932(t.name));
  passengers_->setChecked(t.passenger_service != 0);
  // A style or width read from a file outside the lists shows no choice
  // and is kept.
  style_->setCurrentIndex(t.line_style >= 0 && t.line_style < style_->count() ? t.line_style : -1);
  width_->setCurrentIndex(width_->findData(t.line_width));
  set_colour(QColor(t.red, t.green, t.blue));
}

void TrainTypesDialog::add_type() {
  collect();
  const dia::EditResult r = dia::add_train_type(copy_);
  if (!r.report(prompt_)) return;
  refresh_list();
  list_->setCurrentRow(r.number() - 1);
  name_->setFocus();
  name_->selectAll();
}

void TrainTypesDialog::try_accept() {
  collect();
  changed_ = copy_.extent() != table_.extent() ||
             !std::equal(copy_.begin(), copy_.end(), table_.begin());
  if (changed_) table_ = copy_;
  accept();
}

}  // namespace vosk::ui
