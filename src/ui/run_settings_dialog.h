#pragma once
// The dia settings dialog (情報) of the run the dia edit window edits: train
// number, train and speed type, destination with its text, crew, nickname
// with its number, remarks and the two switches. OK hands the values to the
// controller's operation; a refusal is shown and the dialog stays open with
// the field in error focused. Accepted means the dia changed.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <vector>

#include "base/prompt.h"
#include "diaedit/dia_edit_controller.h"
#include "shell/language.h"
#include "ui/editor_state.h"

namespace vosk::ui {

class RunSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // `change_stop_pass`: how "種別変更時停通自動設定" starts (the settings file's).
  RunSettingsDialog(diaedit::DiaEditController& controller, Prompt& prompt, shell::UiLanguage ui,
                    bool change_stop_pass, QWidget* parent);

  QLineEdit* train_number() const { return number_; }
  QComboBox* train_type() const { return type_; }
  QComboBox* speed_type() const { return speed_; }
  QComboBox* destination() const { return destination_; }
  QLineEdit* destination_text() const { return destination_text_; }
  QComboBox* crew() const { return crew_; }
  QLineEdit* nickname() const { return nickname_; }
  QSpinBox* car_number() const { return car_number_; }
  QLineEdit* remarks() const { return remarks_; }
  QCheckBox* follow_coupled() const { return follow_; }
  QCheckBox* change_stop_pass() const { return stop_pass_; }

 public Q_SLOTS:
  void accept() override;

 private:
  diaedit::RunSettings collect() const;
  QWidget* field(diaedit::RunSettingsField f) const;

  diaedit::DiaEditController& controller_;
  Prompt& prompt_;
  diaedit::RunSettings start_;
  std::vector<diaedit::DestinationChoice> destinations_;
  QLineEdit* number_;
  QComboBox* type_;
  QComboBox* speed_;
  QComboBox* destination_;
  QLineEdit* destination_text_;
  QComboBox* crew_;
  QLineEdit* nickname_;
  QSpinBox* car_number_;
  QLineEdit* remarks_;
  QCheckBox* follow_;
  QCheckBox* stop_pass_;
};

// Where the dialog's "種別変更時停通自動設定" is kept in the settings file.
inline constexpr const char* kRunSettingsSection = "DiagramInfo";
inline constexpr const char* kChangeStopPassKey = "ChangeStopPass";

// Opens the dialog for the edited run with the switch from the settings file
// and stores the switch again after OK. True when the dia changed.
bool run_settings_dialog(diaedit::DiaEditController& controller, EditorState& state, Prompt& prompt,
                         QWidget* parent);

}  // namespace vosk::ui
