#pragma once
// 線種・配色設定: a window's line style entries in a list; for a line entry
// its style and width, for any entry its colour (色の変更), and a preview of
// the selected entry. The dialog edits copies; OK stores them.
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "graph/line_style_edit.h"
#include "shell/language.h"

namespace vosk::ui {

class PictureView;

class LineStyleDialog : public QDialog {
  Q_OBJECT

 public:
  LineStyleDialog(std::vector<shell::LineStyle>& entries, shell::UiLanguage ui, QWidget* owner);

  QListWidget* items() const { return list_; }
  QRadioButton* style_button(int style) const;
  QComboBox* widths() const { return widths_; }
  QPushButton* colour_button() const { return colour_; }
  const graph::LineStyleEdit& edit() const { return edit_; }
  // What 色の変更 sets after the chooser (tests call it directly).
  void set_colour(Rgb colour);
  // True after OK when an entry changed.
  bool changed() const { return changed_; }
  void try_accept();

 private:
  void show_selected();
  void choose_colour();
  int selected() const { return list_->currentRow(); }

  std::vector<shell::LineStyle>& stored_;
  graph::LineStyleEdit edit_;
  bool changed_ = false;
  bool updating_ = false;
  QListWidget* list_;
  QButtonGroup* styles_;
  QComboBox* widths_;
  QPushButton* colour_;
  PictureView* preview_;
};

}  // namespace vosk::ui
