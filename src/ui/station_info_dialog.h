#pragma once
// The station information dialog (駅情報設定): a station with its target, or
// a stopping section outside stations, edited through map::edit_station.
// Opened from a station drawing on the panel it edits that stopping place;
// from the main menu the stopping place is chosen in the dialog.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "base/prompt.h"
#include "datafiles/data_set.h"

namespace vosk::ui {

class StationInfoDialog : public QDialog {
  Q_OBJECT

 public:
  // `target` 0: the first stopping place, and the place can be chosen.
  StationInfoDialog(datafiles::DataSet& data, Prompt& prompt, bool english, int target,
                    QWidget* owner);

  int target() const { return target_; }

  QComboBox* place() const { return place_; }
  QLineEdit* one_char_name() const { return one_char_; }
  QLineEdit* short_name() const { return short_name_; }
  QLineEdit* name() const { return name_; }
  QComboBox* scale() const { return scale_; }
  QComboBox* time_display() const { return time_display_; }
  QSpinBox* melody_time() const { return melody_time_; }
  QLineEdit* melody_file() const { return melody_file_; }
  QSpinBox* door_min() const { return door_min_; }
  QSpinBox* door_mid() const { return door_mid_; }
  QSpinBox* door_max() const { return door_max_; }
  QCheckBox* show_track_numbers() const { return show_tracks_; }
  QListWidget* tracks() const { return tracks_; }
  QPushButton* ok_button() const { return ok_; }

  // OK: stores the values, or tells the refusal and focuses its field.
  void accept() override;

 private:
  void show_place(int target);
  QWidget* field_widget(int field) const;

  datafiles::DataSet& data_;
  Prompt& prompt_;
  int target_ = 0;

  QComboBox* place_;
  QLineEdit* one_char_;
  QLineEdit* short_name_;
  QLineEdit* name_;
  QComboBox* scale_;
  QComboBox* time_display_;
  QSpinBox* melody_time_;
  QLineEdit* melody_file_;
  QSpinBox* door_min_;
  QSpinBox* door_mid_;
  QSpinBox* door_max_;
  QCheckBox* show_tracks_;
  QListWidget* tracks_;
  QPushButton* ok_;
};

}  // namespace vosk::ui
