#pragma once
// The run list the train graph's 選択ダイヤ編集 and 選択ダイヤ表示 choose one
// run from, and 臨時ダイヤ削除 several temporary dias; and 新規運用's start
// position and time.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTreeWidget>
#include <vector>

#include "base/prompt.h"
#include "graph/graph_edits.h"
#include "shell/language.h"

namespace vosk::ui {

class RunListDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Use { EditRun, ShowRun, DeleteTemporary, FirstWorking };

  RunListDialog(std::vector<graph::RunRow> rows, Use use, shell::UiLanguage ui, QWidget* owner);

  QTreeWidget* runs() const { return runs_; }
  // The runs chosen on OK, in list order.
  std::vector<int> chosen() const;

 private:
  QTreeWidget* runs_;
};

class NewWorkingDialog : public QDialog {
  Q_OBJECT

 public:
  NewWorkingDialog(const std::vector<graph::StartRail>& rails, int time, Prompt& prompt,
                   shell::UiLanguage ui, QWidget* owner);

  QComboBox* rail() const { return rail_; }
  QLineEdit* time() const { return time_; }
  int chosen_rail() const { return rail_->currentData().toInt(); }
  int chosen_time() const { return seconds_; }
  void try_accept();

 private:
  Prompt& prompt_;
  QComboBox* rail_;
  QLineEdit* time_;
  int seconds_ = 0;
};

}  // namespace vosk::ui
