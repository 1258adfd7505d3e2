#pragma once
// The series list window: every series file of the series folder with its
// information and the dia's ownership; 導入 and 処分 of a number of train
// sets, and 形式情報更新 of the selected series. Edits apply at once.
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "shell/language.h"
#include "stock/series_list.h"

namespace vosk::ui {

class SeriesListDialog : public QDialog {
  Q_OBJECT

 public:
  SeriesListDialog(datafiles::DataSet& ds, const stock::StockFolders& folders, Prompt& prompt,
                   shell::UiLanguage ui, QWidget* owner);

  // False when the folder gave no list (the error was told).
  bool has_list() const { return !list_.entries.empty(); }
  QListWidget* files() const { return files_; }
  QListWidget* information() const { return info_; }
  QSpinBox* sets() const { return sets_; }
  QPushButton* introduce_button() const { return introduce_; }
  QPushButton* dispose_button() const { return dispose_; }
  QPushButton* reload_button() const { return reload_; }
  bool changed() const { return changed_; }

  void introduce();
  void dispose();
  void reload();

 private:
  const stock::SeriesListEntry* selected() const;
  // False (told) when the selected file has gone.
  bool selected_file_present();
  void relist();
  void show_selected();

  datafiles::DataSet& ds_;
  stock::StockFolders folders_;
  Prompt& prompt_;
  stock::SeriesList list_;
  bool changed_ = false;
  QListWidget* files_;
  QListWidget* info_;
  QLabel* ownership_;
  QSpinBox* sets_;
  QPushButton* introduce_;
  QPushButton* dispose_;
  QPushButton* reload_;
};

// Opens the window unless the series folder gives no list; true when the
// dia changed.
bool run_series_list(datafiles::DataSet& ds, const stock::StockFolders& folders, Prompt& prompt,
                     shell::UiLanguage ui, QWidget* owner);

}  // namespace vosk::ui
