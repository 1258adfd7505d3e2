#pragma once
// 編成・仕業設定: the duties, the formations of the selected one from the head,
// and its initial rail. 編集適用 places the duty on the chosen rail; the
// formation buttons couple a formation at the rear (併結設定), remove the
// rear one, edit the selected one, or delete the duty. Every edit applies
// at once through the dia model's formation operations.
#include <QComboBox>
#include <QLineEdit>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <optional>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "shell/busy_lock.h"
#include "shell/language.h"
#include "stock/series_file.h"
#include "ui/coupling_dialog.h"
#include "ui/editor_state.h"

namespace vosk::ui {

class FormationDialog : public QDialog {
  Q_OBJECT

 public:
  // `train`: the duty selected first (0: the first one). 形式一覧 opens the
  // series list window on `folders`.
  FormationDialog(datafiles::DataSet& ds, const stock::StockFolders& folders, Prompt& prompt,
                  shell::UiLanguage ui, int train, QWidget* owner);

  QListWidget* duties() const { return duties_; }
  QListWidget* formations() const { return formations_; }
  QComboBox* initial_rail() const { return rail_; }
  QPushButton* apply_button() const { return apply_; }
  QPushButton* add_button() const { return add_; }
  QPushButton* remove_button() const { return remove_; }
  QPushButton* edit_button() const { return edit_; }
  QPushButton* delete_button() const { return delete_; }
  QPushButton* series_button() const { return series_button_; }
  QLineEdit* start_time() const { return start_time_; }
  // Asked for the run 初期ダイヤ選択 makes the first working (0: none); the
  // run list dialog unless a test replaces it.
  std::function<int()> ask_run;
  // Asked for the 併結設定 values; the real dialog unless a test replaces it.
  std::function<std::optional<FormationValues>(const FormationValues&)> ask_values;
  bool changed() const { return changed_; }

  void place();
  void add_rear();
  void remove_rear();
  void edit_selected();
  void delete_selected();
  void open_series_list();
  // 現在位置から: a first working from the duty's rail at the start time.
  void create_first_run();
  // 臨時運用（初期ダイヤなし）: a temporary dia as the duty's first working.
  void create_temporary_run();
  // 初期ダイヤ選択: an existing run becomes the duty's first working.
  void choose_first_run();

 private:
  int selected_train() const;
  int selected_unit() const;
  void refresh(int train);
  void show_duty();
  // After an edit: true when it was done (refusals are told here).
  bool settle(const dia::EditResult& result);

  datafiles::DataSet& ds_;
  stock::StockFolders folders_;
  Prompt& prompt_;
  shell::UiLanguage ui_;
  bool changed_ = false;
  bool updating_ = false;
  std::vector<int> unit_rows_;  // unit number of each formation row
  QListWidget* duties_;
  QListWidget* formations_;
  QComboBox* rail_;
  QPushButton* apply_;
  QPushButton* add_;
  QPushButton* remove_;
  QPushButton* edit_;
  QPushButton* delete_;
  QPushButton* series_button_;
  QLineEdit* start_time_;
  QPushButton* first_run_;
  QPushButton* temporary_;
  QPushButton* choose_run_;
};

// The dialog the train graph's formation items open, holding the busy lock as
// the unit and duty dialog meanwhile. True when the dia changed; the caller
// marks it edited and redraws.
bool run_formation_dialog(datafiles::DataSet& ds, const stock::StockFolders& folders,
                          shell::BusyLock& busy, Prompt& prompt, shell::UiLanguage ui, int train,
                          QWidget* owner);

// The same with the folders, busy lock and language of the editor; a change
// also rebuilds the derived dia data.
bool run_formation_dialog(EditorState& state, datafiles::DataSet& ds, Prompt& prompt, int train,
                          QWidget* owner);

}  // namespace vosk::ui
