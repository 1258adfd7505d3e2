#pragma once
// 速度種別設定: the speed types in a list; the selected one's names, measuring
// series and maximum speed beside it with the runs that use it; 追加 and 削除.
// Edits apply as they are made; Cancel puts back the speed types, the stop
// times and the runs' speed types as they were when the dialog opened.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <vector>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "shell/language.h"

namespace vosk::ui {

class SpeedTypesDialog : public QDialog {
  Q_OBJECT

 public:
  SpeedTypesDialog(datafiles::DataSet& ds, Prompt& prompt, shell::UiLanguage ui, QWidget* owner);

  QListWidget* speed_types() const { return list_; }
  QLineEdit* short_name() const { return short_; }
  QLineEdit* name() const { return name_; }
  QComboBox* measuring_series() const { return series_; }
  QSpinBox* max_speed() const { return max_speed_; }
  QListWidget* users() const { return users_; }
  bool changed() const { return changed_; }
  void add_speed_type();
  void delete_speed_type();
  void try_accept();
  void reject() override;

 private:
  // Fields -> the selected speed type; false (told, field focused) on a refusal.
  bool store_shown();
  void show_selected();
  void refresh_list(int select);

  datafiles::DataSet& ds_;
  Prompt& prompt_;
  shell::UiLanguage ui_;
  dia::SpeedTypeTable saved_speed_types_;
  dia::StopTimeList saved_stop_times_;
  std::vector<int> saved_run_speed_types_;
  bool changed_ = false;
  bool updating_ = false;
  int shown_ = 0;
  QListWidget* list_;
  QLineEdit* short_;
  QLineEdit* name_;
  QComboBox* series_;
  QSpinBox* max_speed_;
  QListWidget* users_;
  QPushButton* add_;
  QPushButton* delete_;
};

// Refuses without series ("形式データが存在しないため…"), else runs the dialog;
// true when the dia changed.
bool run_speed_types_dialog(datafiles::DataSet& ds, Prompt& prompt, shell::UiLanguage ui,
                            QWidget* owner);

}  // namespace vosk::ui
