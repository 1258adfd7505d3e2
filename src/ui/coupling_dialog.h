#pragma once
// 併結設定: the name and series of a formation, for coupling one at the rear
// of a duty or for editing one (情報編集).
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <optional>
#include <string>

#include "shell/language.h"
#include "stock/series.h"

namespace vosk::ui {

struct FormationValues {
  std::string name;  // CP932
  int series = 0;
};

class CouplingDialog : public QDialog {
  Q_OBJECT

 public:
  CouplingDialog(const stock::SeriesTable& series, const FormationValues& initial,
                 shell::UiLanguage ui, QWidget* owner);

  QLineEdit* name() const { return name_; }
  QComboBox* series() const { return series_; }
  FormationValues values() const;

 private:
  QLineEdit* name_;
  QComboBox* series_;
};

// The values after OK, nullopt after Cancel.
std::optional<FormationValues> ask_formation(const stock::SeriesTable& series,
                                             const FormationValues& initial,
                                             shell::UiLanguage ui, QWidget* owner);

}  // namespace vosk::ui
