#pragma once
// コピー設定: the page settings of the train graph for display, copy or
// print (picture size, margins, format, time range, page count). The fields
// a use does not take are shown disabled. OK checks the values and keeps the
// dialog open on a refusal.
#include <QDialog>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>

#include "base/prompt.h"
#include "graph/page_dialog.h"
#include "shell/language.h"

namespace vosk::ui {

class PageSettingDialog : public QDialog {
  Q_OBJECT

 public:
  PageSettingDialog(graph::PageUse use, const graph::PageDialogValues& values, Prompt& prompt,
                    shell::UiLanguage ui, QWidget* owner);

  // The checked values, valid after the dialog was accepted.
  const graph::PageSettings& page_settings() const { return result_; }
  void try_accept();

  QSpinBox* size_x() const { return size_x_; }
  QSpinBox* size_y() const { return size_y_; }
  QSpinBox* margin_left() const { return margin_left_; }
  QSpinBox* margin_top() const { return margin_top_; }
  QRadioButton* bitmap() const { return bitmap_; }
  QRadioButton* metafile() const { return metafile_; }
  QGroupBox* range_group() const { return range_group_; }
  QSpinBox* from_hours() const { return from_hours_; }
  QSpinBox* from_minutes() const { return from_minutes_; }
  QSpinBox* to_hours() const { return to_hours_; }
  QSpinBox* to_minutes() const { return to_minutes_; }
  QSpinBox* pages() const { return pages_; }

 private:
  graph::PageDialogValues collect() const;

  graph::PageUse use_;
  graph::PageDialogValues seed_;
  graph::PageSettings result_;
  Prompt& prompt_;
  QSpinBox* size_x_;
  QSpinBox* size_y_;
  QSpinBox* margin_left_;
  QSpinBox* margin_right_;
  QSpinBox* margin_top_;
  QSpinBox* margin_bottom_;
  QRadioButton* bitmap_;
  QRadioButton* metafile_;
  QGroupBox* range_group_;
  QSpinBox* from_hours_;
  QSpinBox* from_minutes_;
  QSpinBox* to_hours_;
  QSpinBox* to_minutes_;
  QSpinBox* pages_;
};

}  // namespace vosk::ui
