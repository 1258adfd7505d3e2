#include "ui/page_setting_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/dialog_support.h"

namespace vosk::ui {
namespace {

QSpinBox* number_field(QWidget* owner, int low, int high, int value) {
  auto* spin = new QSpinBox(owner);
  spin->setRange(low, high);
  spin->setValue(value);
  spin->setAlignment(Qt::AlignRight);
  return spin;
}

// A field's label; its mnemonic moves the focus to the field.
QLabel* label_for(const QString& text, QWidget* field) {
  auto* label = new QLabel(text);
  label->setBuddy(field);
  return label;
}

// Hours run to 28 and beyond, so that a time past 28:00 can be typed and
// refused with its message rather than silently clamped.
constexpr int kMaxHoursField = 99;
constexpr int kMaxPixels = 16384;
constexpr int kMaxMargin = 9999;
constexpr int kMaxPages = 999;

}  // namespace

PageSettingDialog::PageSettingDialog(graph::PageUse use, const graph::PageDialogValues& values,
                                     Prompt& prompt, shell::UiLanguage ui, QWidget* owner)
    : QDialog(owner), use_(use), seed_(values), result_(values.page), prompt_(prompt) {
  setWindowTitle(pick("コピー設定", "Copy Settings", ui));
  const graph::PageDialogForm form = graph::page_dialog_form(use);
  const graph::PageSettings& p = values.page;

  auto* size_group = new QGroupBox(pick("コピーサイズ", "Picture size", ui), this);
  size_x_ = number_field(this, 1, kMaxPixels, p.size_x);
  size_y_ = number_field(this, 1, kMaxPixels, p.size_y);
  auto* size_grid = new QGridLayout(size_group);
  size_grid->addWidget(label_for(pick("横(&X)", "&Width", ui), size_x_), 0, 0);
  size_grid->addWidget(size_x_, 0, 1);
  size_grid->addWidget(new QLabel(pick("ピクセル", "pixels", ui)), 0, 2);
  size_grid->addWidget(label_for(pick("縦(&Y)", "&Height", ui), size_y_), 1, 0);
  size_grid->addWidget(size_y_, 1, 1);
  size_grid->addWidget(new QLabel(pick("ピクセル", "pixels", ui)), 1, 2);
  size_group->setEnabled(form.size_enabled);

  auto* margin_group = new QGroupBox(pick("余白サイズ", "Margins", ui), this);
  margin_left_ = number_field(this, 0, kMaxMargin, p.margin_left);
  margin_right_ = number_field(this, 0, kMaxMargin, p.margin_right);
  margin_top_ = number_field(this, 0, kMaxMargin, p.margin_top);
  margin_bottom_ = number_field(this, 0, kMaxMargin, p.margin_bottom);
  const QString unit = form.margins_in_mm ? QStringLiteral("[mm]") : pick("ピクセル", "pixels", ui);
  auto* margin_grid = new QGridLayout(margin_group);
  margin_grid->addWidget(label_for(pick("左(&L)", "&Left", ui), margin_left_), 0, 0);
  margin_grid->addWidget(margin_left_, 0, 1);
  margin_grid->addWidget(label_for(pick("右(&R)", "&Right", ui), margin_right_), 0, 2);
  margin_grid->addWidget(margin_right_, 0, 3);
  margin_grid->addWidget(new QLabel(unit), 0, 4);
  margin_grid->addWidget(label_for(pick("上(&T)", "&Top", ui), margin_top_), 1, 0);
  margin_grid->addWidget(margin_top_, 1, 1);
  margin_grid->addWidget(label_for(pick("下(&B)", "&Bottom", ui), margin_bottom_), 1, 2);
  margin_grid->addWidget(margin_bottom_, 1, 3);
  margin_grid->addWidget(new QLabel(unit), 1, 4);

  auto* type_group = new QGroupBox(pick("形式", "Format", ui), this);
  bitmap_ = new QRadioButton(pick("ビットマップ", "Bitmap", ui), type_group);
  metafile_ = new QRadioButton(pick("拡張メタ", "Enhanced metafile", ui), type_group);
  (p.type == 1 ? metafile_ : bitmap_)->setChecked(true);
  auto* type_row = new QHBoxLayout(type_group);
  type_row->addWidget(bitmap_);
  type_row->addWidget(metafile_);
  type_row->addStretch();
  type_group->setEnabled(form.type_enabled);

  range_group_ = new QGroupBox(QString::fromUtf8(form.range_caption), this);
  from_hours_ = number_field(this, 0, kMaxHoursField, values.from_hours);
  from_minutes_ = number_field(this, 0, 59, values.from_minutes);
  to_hours_ = number_field(this, 0, kMaxHoursField, values.to_hours);
  to_minutes_ = number_field(this, 0, 59, values.to_minutes);
  auto* range_row = new QHBoxLayout(range_group_);
  range_row->addWidget(from_hours_);
  range_row->addWidget(new QLabel(QStringLiteral(":")));
  range_row->addWidget(from_minutes_);
  range_row->addWidget(new QLabel(QString::fromUtf8("～")));
  range_row->addWidget(to_hours_);
  range_row->addWidget(new QLabel(QStringLiteral(":")));
  range_row->addWidget(to_minutes_);
  range_row->addStretch();

  auto* pages_group = new QGroupBox(pick("ページ分割", "Pages", ui), this);
  pages_ = number_field(this, 0, kMaxPages, p.page_size);
  auto* pages_row = new QHBoxLayout(pages_group);
  pages_row->addWidget(label_for(pick("分割数(&N)", "&Number of pages", ui), pages_));
  pages_row->addWidget(pages_);
  pages_row->addStretch();
  pages_group->setEnabled(form.pages_enabled);

  QDialogButtonBox* buttons = ok_cancel_row(this, ui);
  connect(buttons, &QDialogButtonBox::accepted, this, &PageSettingDialog::try_accept);
  auto* top = new QHBoxLayout;
  top->addWidget(size_group);
  top->addWidget(margin_group);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(type_group);
  bottom->addWidget(pages_group);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(range_group_);
  layout->addLayout(bottom);
  layout->addWidget(buttons);
  from_hours_->setFocus();
}

graph::PageDialogValues PageSettingDialog::collect() const {
  graph::PageDialogValues v = seed_;
  graph::PageSettings& p = v.page;
  p.size_x = size_x_->value();
  p.size_y = size_y_->value();
  p.margin_left = margin_left_->value();
  p.margin_right = margin_right_->value();
  p.margin_top = margin_top_->value();
  p.margin_bottom = margin_bottom_->value();
  p.type = metafile_->isChecked() ? 1 : 0;
  p.page_size = pages_->value();
  v.from_hours = from_hours_->value();
  v.from_minutes = from_minutes_->value();
  v.to_hours = to_hours_->value();
  v.to_minutes = to_minutes_->value();
  return v;
}

void PageSettingDialog::try_accept() {
  const graph::PageDialogValues values = collect();
  const dia::EditResult r = graph::accept_page_dialog(values, use_, result_);
  if (!r.ok()) {
    // With one page the same values pass when only the page count was wrong.
    graph::PageDialogValues one_page = values;
    one_page.page.page_size = 1;
    graph::PageSettings unused;
    const bool pages_refused = graph::accept_page_dialog(one_page, use_, unused).ok();
    refuse_at(prompt_, r.caption(), r.text(), pages_refused ? pages_ : from_hours_);
    return;
  }
  accept();
}

}  // namespace vosk::ui
