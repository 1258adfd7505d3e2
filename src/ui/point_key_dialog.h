#pragma once
// The point key dialog (キー設定): a new key for one point, checked by
// map::edit_point_key against every other point's key.
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "base/prompt.h"
#include "datafiles/data_set.h"

namespace vosk::ui {

class PointKeyDialog : public QDialog {
  Q_OBJECT

 public:
  PointKeyDialog(datafiles::DataSet& data, Prompt& prompt, bool english, int point,
                 QWidget* owner);

  QLineEdit* key() const { return key_; }
  QPushButton* ok_button() const { return ok_; }

  void accept() override;

 private:
  datafiles::DataSet& data_;
  Prompt& prompt_;
  int point_;
  QLineEdit* key_;
  QPushButton* ok_;
};

}  // namespace vosk::ui
