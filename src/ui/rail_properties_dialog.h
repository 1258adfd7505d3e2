#pragma once
// The rail property dialog (線路情報入力): both directed rails of a track
// edited at once through map::edit_rail_pair, with the details (詳細設定)
// of either side. Details are edited on a copy that OK stores with the rest;
// Cancel leaves every table as it was.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <vector>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "map/detail.h"
#include "map/rail_pair_edit.h"

namespace vosk::ui {

class RailPropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  RailPropertiesDialog(datafiles::DataSet& data, Prompt& prompt, bool english, int rail,
                       QWidget* owner);

  // One side of the track: the rail of one direction.
  struct Side {
    QGroupBox* box = nullptr;
    QLineEdit* short_name = nullptr;
    QLineEdit* name = nullptr;
    QSpinBox* stop_distance = nullptr;
    QComboBox* signal = nullptr;
    QFormLayout* form = nullptr;
  };

  QComboBox* target() const { return target_; }
  QComboBox* area() const { return area_; }
  QComboBox* electrification() const { return electrification_; }
  QCheckBox* single_track() const { return single_track_; }
  QSpinBox* length() const { return length_; }
  QCheckBox* speed_limit_on() const { return limit_on_; }
  QSpinBox* speed_limit() const { return limit_; }
  QSpinBox* gradient() const { return gradient_; }
  QSpinBox* radius() const { return radius_; }
  QLineEdit* point_key() const { return point_key_; }
  const Side& leftward() const { return left_; }
  const Side& rightward() const { return right_; }
  QPushButton* ok_button() const { return ok_; }

  QComboBox* detail_side() const { return detail_side_; }
  QListWidget* detail_list() const { return detail_list_; }
  QSpinBox* detail_start() const { return d_start_; }
  QSpinBox* detail_end() const { return d_end_; }
  QCheckBox* detail_limit_on() const { return d_limit_on_; }
  QSpinBox* detail_limit() const { return d_limit_; }
  QSpinBox* detail_gradient() const { return d_gradient_; }
  QSpinBox* detail_radius() const { return d_radius_; }
  QPushButton* add_button() const { return add_; }
  QPushButton* replace_button() const { return replace_; }
  QPushButton* delete_button() const { return delete_; }

  void accept() override;

 private:
  Side make_side(const QString& title, int rail, const map::RailSideInput& values,
                 bool stop_shown, bool english);
  map::RailSideInput side_input(const Side& side) const;
  QWidget* field_widget(int field) const;
  void refuse(const map::EditError& error, QWidget* field);

  int detail_rail() const;  // the rail whose details the list shows
  void show_details();
  void show_detail(int row);
  void add_detail();
  void replace_detail();
  void delete_detail();

  datafiles::DataSet& data_;
  Prompt& prompt_;
  int rail_;
  map::RailPair pair_;
  RecordTable<map::Detail> details_;
  std::vector<int> shown_details_;  // detail numbers by list row

  QComboBox* target_;
  QComboBox* area_;
  QComboBox* electrification_;
  QCheckBox* single_track_;
  QSpinBox* length_;
  QCheckBox* limit_on_;
  QSpinBox* limit_;
  QSpinBox* gradient_;
  QSpinBox* radius_;
  QLineEdit* point_key_;
  Side left_;
  Side right_;
  QPushButton* ok_;

  QComboBox* detail_side_;
  QListWidget* detail_list_;
  QSpinBox* d_start_;
  QSpinBox* d_end_;
  QCheckBox* d_limit_on_;
  QSpinBox* d_limit_;
  QSpinBox* d_gradient_;
  QSpinBox* d_radius_;
  QPushButton* add_;
  QPushButton* replace_;
  QPushButton* delete_;
};

}  // namespace vosk::ui
