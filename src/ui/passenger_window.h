#pragma once
// The passenger edit window: the passenger controller's picture with its
// header buttons, the mouse and keys going to the controller, its menu and
// the 発駅着駅選択 dialog. Its rectangle lives in the settings section
// "VOSKPassengerEditWindow".
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "passengers/passenger_controller.h"
#include "ui/editor_state.h"
#include "ui/picture_view.h"

class QAction;
class QComboBox;
class QMenuBar;

namespace vosk::ui {

inline constexpr const char* kPassengerWindowSection = "VOSKPassengerEditWindow";
inline constexpr shell::Rect kPassengerWindowDefault{0, 40, 700, 140};

// The client area: the drawing and the header's buttons over it.
class PassengerView : public PictureView {
  Q_OBJECT

 public:
  PassengerView(passengers::PassengerController& passengers, EditorState& state, Prompt& prompt,
                QWidget* parent);
  QPushButton* button(std::size_t index) const { return buttons_.at(index); }

 Q_SIGNALS:
  void command(passengers::PassengerCommand command);
  // A click changed the dia.
  void data_changed();
  // A key the window does not use, for the main window.
  void unused_key(QKeyEvent* event);

 protected:
  void draw(Surface& surface) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  passengers::PassengerController& passengers_;
  EditorState& state_;
  Prompt& prompt_;
  std::vector<QPushButton*> buttons_;
};

// 発駅着駅選択: the from-station among the stations, the to-station among
// 指定以外各駅 and the stations; OK only for two different ones.
class StationPairDialog : public QDialog {
  Q_OBJECT

 public:
  StationPairDialog(const passengers::PassengerController& passengers, QWidget* parent);
  int from() const;
  int to() const;
  void choose(int from, int to);
  QPushButton* ok_button() const { return ok_; }

 private:
  void update_ok();
  QComboBox* from_;
  QComboBox* to_;
  QPushButton* ok_;
};

class PassengerWindow : public QWidget {
  Q_OBJECT

 public:
  // Moves the window to its stored rectangle. `data` must outlive it;
  // `key_target` gets the keys the window does not use.
  PassengerWindow(datafiles::DataSet& data, EditorState& state, Prompt& prompt, QWidget* key_target,
                  QWidget* owner);
  ~PassengerWindow() override;

  passengers::PassengerController& passengers() { return *passengers_; }
  PassengerView* view() const { return view_; }
  QAction* action(passengers::PassengerCommand command) const;

  void run(passengers::PassengerCommand command);
  // The data set changed outside the window.
  void data_changed();
  // Writes the rectangle unless minimised or maximised.
  void write_settings();

 Q_SIGNALS:
  // The user asked to close; the owner decides and destroys it.
  void close_requested();
  // A window operation changed the open data set.
  void edited();
  // Files dropped on the window, file system bytes.
  void files_dropped(const std::vector<std::string>& paths);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void choose_stations();

  EditorState& state_;
  Prompt& prompt_;
  std::unique_ptr<Prompt> locked_prompt_;
  std::unique_ptr<passengers::PassengerController> passengers_;
  PassengerView* view_;
  QPointer<QWidget> key_target_;
  std::map<passengers::PassengerCommand, QAction*> actions_;
};

}  // namespace vosk::ui
