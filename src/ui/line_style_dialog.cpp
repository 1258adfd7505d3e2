#include "ui/line_style_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/dialog_support.h"
#include "ui/fonts.h"
#include "ui/picture_view.h"

namespace vosk::ui {
namespace {

// The selected entry as a line across a white box, or the box filled.
class LineStylePreview : public PictureView {
 public:
  LineStylePreview(const graph::LineStyleEdit& edit, const QListWidget& list, QWidget* parent)
      : PictureView(parent), edit_(edit), list_(list) {
    setMinimumSize(160, 40);
  }

 protected:
  void draw(Surface& surface) override {
    const shell::LineStyle* entry = edit_.entry(list_.currentRow());
    if (entry == nullptr) return;
    const Size area = surface.size();
    graph::draw_line_style_preview(surface, *entry, Rect{0, 0, area.width, area.height});
  }

 private:
  const graph::LineStyleEdit& edit_;
  const QListWidget& list_;
};

}  // namespace

LineStyleDialog::LineStyleDialog(std::vector<shell::LineStyle>& entries, shell::UiLanguage ui,
                                 QWidget* owner)
    : QDialog(owner), stored_(entries), edit_(entries) {
  setWindowTitle(pick("線種・配色設定", "Line Styles and Colours", ui));
  list_ = new QListWidget(this);
  for (const shell::LineStyle& e : edit_.entries()) list_->addItem(from_cp932(e.item_name));
  list_->setMinimumWidth(220);

  auto* style_group = new QGroupBox(pick("線種", "Style", ui), this);
  styles_ = new QButtonGroup(this);
  const QString names[graph::kLineStyleChoices] = {
      pick("実線", "Solid", ui), pick("破線", "Dashed", ui), pick("点線", "Dotted", ui),
      pick("一点鎖線", "Dash-dot", ui)};
  auto* style_column = new QVBoxLayout(style_group);
  for (int s = 0; s < graph::kLineStyleChoices; ++s) {
    auto* button = new QRadioButton(names[s], style_group);
    styles_->addButton(button, s);
    style_column->addWidget(button);
  }
  widths_ = new QComboBox(this);
  for (int w : graph::line_width_choices())
    widths_->addItem(QString::fromStdString(graph::line_width_label(w)), w);
  colour_ = new QPushButton(pick("色の変更(&C)...", "Change &colour...", ui), this);
  act_on_click_only({colour_});
  preview_ = new LineStylePreview(edit_, *list_, this);

  auto* width_row = new QHBoxLayout;
  auto* width_label = new QLabel(pick("線の太さ(&W)", "&Width", ui));
  width_label->setBuddy(widths_);
  width_row->addWidget(width_label);
  width_row->addWidget(widths_);
  width_row->addWidget(new QLabel(pick("ポイント", "points", ui)));
  width_row->addStretch();
  auto* side = new QVBoxLayout;
  side->addWidget(style_group);
  side->addLayout(width_row);
  side->addWidget(colour_, 0, Qt::AlignLeft);
  side->addWidget(preview_);
  side->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(list_);
  top->addLayout(side, 1);
  QDialogButtonBox* buttons = ok_cancel_row(this, ui);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);

  connect(list_, &QListWidget::currentRowChanged, this, [this] { show_selected(); });
  connect(styles_, &QButtonGroup::idClicked, this, [this](int style) {
    if (updating_) return;
    edit_.set_pen_style(selected(), style);
    preview_->redraw();
  });
  connect(widths_, &QComboBox::currentIndexChanged, this, [this](int row) {
    if (updating_ || row < 0) return;
    edit_.set_point_width(selected(), widths_->itemData(row).toInt());
    preview_->redraw();
  });
  connect(colour_, &QPushButton::clicked, this, &LineStyleDialog::choose_colour);
  connect(buttons, &QDialogButtonBox::accepted, this, &LineStyleDialog::try_accept);
  list_->setCurrentRow(edit_.count() > 0 ? 0 : -1);
  show_selected();
  list_->setFocus();
}

QRadioButton* LineStyleDialog::style_button(int style) const {
  return qobject_cast<QRadioButton*>(styles_->button(style));
}

void LineStyleDialog::show_selected() {
  const shell::LineStyle* e = edit_.entry(selected());
  const bool line = e != nullptr && e->for_line != 0;
  updating_ = true;
  for (QAbstractButton* b : styles_->buttons()) b->setEnabled(line);
  widths_->setEnabled(line);
  colour_->setEnabled(e != nullptr);
  // A style or width read from a file outside the choices shows none and is
  // kept until the user picks one.
  styles_->setExclusive(false);
  for (QAbstractButton* b : styles_->buttons())
    b->setChecked(line && styles_->id(b) == e->pen_style);
  styles_->setExclusive(true);
  widths_->setCurrentIndex(line ? graph::line_width_row(e->point_width) : -1);
  updating_ = false;
  preview_->redraw();
}

void LineStyleDialog::set_colour(Rgb colour) {
  edit_.set_colour(selected(), colour);
  preview_->redraw();
}

void LineStyleDialog::choose_colour() {
  const shell::LineStyle* e = edit_.entry(selected());
  if (e == nullptr) return;
  if (const std::optional<Rgb> chosen = vosk::ui::choose_colour(this, {e->red, e->green, e->blue}))
    set_colour(*chosen);
}

void LineStyleDialog::try_accept() {
  changed_ = edit_.commit(stored_);
  accept();
}

}  // namespace vosk::ui
