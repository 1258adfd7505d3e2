#pragma once
// A display window: a track panel of its own beside the main window's,
// restored from the data set's display-window sections and written back to
// them on save.
#include <QWidget>
#include <functional>
#include <optional>

#include "ui/panel_widget.h"

namespace vosk::ui {

class DisplayWindow : public QWidget {
  Q_OBJECT

 public:
  // Window `number` (1 .. 15) of the open data set, placed as its section says.
  DisplayWindow(EditorState& state, DocumentController& document, Prompt& prompt, int number,
                QWidget* parent);

  int number() const { return number_; }
  PanelWidget* view() const { return view_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  int number_;
  PanelWidget* view_;
};

// The header's display part from the live panel windows: window 0 is the
// main window's panel, written only when its section was open (the main
// window never closes); windows 1 .. 15 are open while their window exists.
class PanelWindowsSource : public datafiles::DisplayWindowSource {
 public:
  PanelWindowsSource(DocumentController& document, std::function<PanelWidget*(int)> panel_of)
      : document_(document), panel_of_(std::move(panel_of)) {}

  datafiles::DisplaySettings display_settings() const override;
  std::optional<datafiles::DisplayWindowView> open_window(int index) const override;

 private:
  DocumentController& document_;
  std::function<PanelWidget*(int)> panel_of_;
};

}  // namespace vosk::ui
