#pragma once
// The popup warning window: a small window listing the warning texts of the
// shell's popup list, sized to its longest line.
#include <QListWidget>
#include <QWidget>

#include "shell/popup_warnings.h"
#include "shell/warnings.h"

namespace vosk::ui {

class PopupWarningWindow : public QWidget {
  Q_OBJECT

 public:
  PopupWarningWindow(shell::PopupWarnings& popups, shell::WarningSettings& warnings,
                     Prompt& prompt, bool english, QWidget* owner);

  // Shows the list as it is now and resizes the window to its longest line.
  void refresh();
  QListWidget* list() const { return list_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  shell::PopupWarnings& popups_;
  shell::WarningSettings& warnings_;
  Prompt& prompt_;
  QListWidget* list_;
};

}  // namespace vosk::ui
