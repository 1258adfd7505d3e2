#pragma once
// 標準停車時間設定: the standard stop and turnback times per station (駅別指定
// モード) or per track within a station (駅内番線別指定モード), for any or
// one train type (or speed type, as the dia keeps them). The list shows
// each place's two values; the choosers below set the selected place's.
// The dialog edits a copy; OK stores it in the dia.
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QRadioButton>
#include <vector>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "shell/language.h"

namespace vosk::ui {

class StopTimesDialog : public QDialog {
  Q_OBJECT

 public:
  StopTimesDialog(datafiles::DataSet& ds, Prompt& prompt, shell::UiLanguage ui, QWidget* owner);

  QRadioButton* station_mode() const { return station_mode_; }
  QRadioButton* track_mode() const { return track_mode_; }
  QComboBox* train_type() const { return train_type_; }
  QComboBox* speed_type() const { return speed_type_; }
  QListWidget* places() const { return places_; }
  QComboBox* stop() const { return stop_; }
  QComboBox* turnback() const { return turnback_; }
  bool changed() const { return changed_; }
  void try_accept();

 private:
  struct Place {
    int target = 0;  // station mode
    int rail = 0;    // track mode
    std::string name;
  };
  dia::StopTimeKey key_of(const Place& place, int kind) const;
  void rebuild_places();
  QString line_of(const Place& place) const;
  void show_selected();
  void store(int kind, const QComboBox* chooser);

  datafiles::DataSet& ds_;
  dia::StopTimeList copy_;
  std::vector<int> choices_;
  bool changed_ = false;
  bool updating_ = false;
  std::vector<Place> shown_places_;
  QRadioButton* station_mode_;
  QRadioButton* track_mode_;
  QComboBox* train_type_;
  QComboBox* speed_type_;
  QListWidget* places_;
  QComboBox* stop_;
  QComboBox* turnback_;
};

// Refuses without rails ("駅データがないため編集できません。"), else runs the
// dialog; true when the dia changed.
bool run_stop_times_dialog(datafiles::DataSet& ds, Prompt& prompt, shell::UiLanguage ui,
                           QWidget* owner);

}  // namespace vosk::ui
