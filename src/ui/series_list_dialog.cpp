#include "ui/series_list_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <filesystem>

#include "datafiles/series_edits.h"
#include "ui/dialog_support.h"

namespace vosk::ui {

SeriesListDialog::SeriesListDialog(datafiles::DataSet& ds, const stock::StockFolders& folders,
                                   Prompt& prompt, shell::UiLanguage ui, QWidget* owner)
    : QDialog(owner), ds_(ds), folders_(folders), prompt_(prompt) {
  setWindowTitle(pick("形式一覧", "Series List", ui));
  files_ = new QListWidget(this);
  files_->setMinimumSize(220, 300);
  info_ = new QListWidget(this);
  info_->setFocusPolicy(Qt::NoFocus);
  info_->setMinimumWidth(300);
  ownership_ = new QLabel(this);
  sets_ = new QSpinBox(this);
  sets_->setRange(1, 999);
  sets_->setSuffix(pick(" 編成", " sets", ui));
  introduce_ = new QPushButton(pick("導入(&I)", "&Introduce", ui), this);
  dispose_ = new QPushButton(pick("処分(&D)", "&Dispose", ui), this);
  reload_ = new QPushButton(pick("形式情報更新(&R)", "&Reload", ui), this);
  act_on_click_only({introduce_, dispose_, reload_});

  auto* actions = new QHBoxLayout;
  actions->addWidget(sets_);
  actions->addWidget(introduce_);
  actions->addWidget(dispose_);
  actions->addStretch();
  actions->addWidget(reload_);
  auto* side = new QVBoxLayout;
  side->addWidget(info_, 1);
  side->addWidget(ownership_);
  side->addLayout(actions);
  auto* top = new QHBoxLayout;
  top->addWidget(files_);
  top->addLayout(side, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(close_row(this, ui));

  datafiles::count_series_use(ds_);
  list_ = stock::list_series(ds_.series, folders_);
  if (list_.error) prompt_.tell(caption::kDataError, *list_.error);
  for (const stock::SeriesListEntry& e : list_.entries) {
    files_->addItem(QString::fromStdString(e.title));
  }
  files_->setCurrentRow(list_.entries.empty() ? -1 : 0);
  show_selected();
  connect(files_, &QListWidget::currentRowChanged, this, [this] { show_selected(); });
  connect(introduce_, &QPushButton::clicked, this, &SeriesListDialog::introduce);
  connect(dispose_, &QPushButton::clicked, this, &SeriesListDialog::dispose);
  connect(reload_, &QPushButton::clicked, this, &SeriesListDialog::reload);
  files_->setFocus();
}

const stock::SeriesListEntry* SeriesListDialog::selected() const {
  const int row = files_->currentRow();
  return row >= 0 && row < static_cast<int>(list_.entries.size())
             ? &list_.entries[static_cast<std::size_t>(row)]
             : nullptr;
}

bool SeriesListDialog::selected_file_present() {
  const stock::SeriesListEntry* e = selected();
  if (e == nullptr) return false;
  std::error_code ec;
  if (std::filesystem::exists(e->file, ec)) return true;
  prompt_.tell(caption::kDataError, stock::kSeriesFileGone);
  return false;
}

void SeriesListDialog::show_selected() {
  info_->clear();
  const stock::SeriesListEntry* e = selected();
  for (QPushButton* b : {introduce_, dispose_, reload_}) b->setEnabled(e != nullptr);
  if (e == nullptr) {
    ownership_->clear();
    return;
  }
  for (const std::string& line : e->lines) info_->addItem(QString::fromStdString(line));
  ownership_->setText(QString::fromStdString(e->ownership));
}

void SeriesListDialog::relist() {
  const int row = files_->currentRow();
  datafiles::count_series_use(ds_);
  list_ = stock::list_series(ds_.series, folders_);
  files_->clear();
  for (const stock::SeriesListEntry& e : list_.entries) {
    files_->addItem(QString::fromStdString(e.title));
  }
  files_->setCurrentRow(std::min(row, files_->count() - 1));
  show_selected();
}

void SeriesListDialog::introduce() {
  if (!selected_file_present()) return;
  if (datafiles::introduce_series(ds_, selected()->file, sets_->value(), folders_, prompt_) != 0) {
    changed_ = true;
  }
  relist();
}

void SeriesListDialog::dispose() {
  if (!selected_file_present()) return;
  if (datafiles::dispose_series(ds_, selected()->record, sets_->value(), prompt_)) changed_ = true;
  relist();
}

void SeriesListDialog::reload() {
  const stock::SeriesListEntry* e = selected();
  if (e == nullptr) return;
  if (e->reloadable_record == 0) {
    // Not introduced: nothing of the dia to bring up to date.
    prompt_.tell(caption::kOperationError, "この形式は所有されていません。");
    return;
  }
  const stock::ReloadOutcome outcome = datafiles::reload_series(ds_, e->reloadable_record, folders_, prompt_);
  if (outcome.result == stock::ReloadResult::Reread ||
      outcome.result == stock::ReloadResult::Merged) {
    changed_ = true;
  }
  relist();
}

bool run_series_list(datafiles::DataSet& ds, const stock::StockFolders& folders, Prompt& prompt,
                     shell::UiLanguage ui, QWidget* owner) {
  SeriesListDialog dialog(ds, folders, prompt, ui, owner);
  if (!dialog.has_list()) return false;
  dialog.exec();
  return dialog.changed();
}

}  // namespace vosk::ui
