#include "ui/file_dialogs.h"

#include <QFile>
#include <QFileDialog>

namespace vosk::ui {

QStringList qt_name_filters(const QString& windows_filter) {
  QStringList out;
  const QStringList parts = windows_filter.split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString text = parts[i].trimmed();
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const QString pattern = p.trimmed();
      if (pattern.isEmpty()) continue;
      patterns << pattern;
      if (pattern.toUpper() != pattern) patterns << pattern.toUpper();
    }
    if (text.isEmpty() && patterns.isEmpty()) continue;  // the closing "||"
    if (patterns.isEmpty()) continue;
    out << QStringLiteral("%1 (%2)").arg(text, patterns.join(QLatin1Char(' ')));
  }
  return out;
}

namespace {

std::optional<std::string> run(QWidget* owner, const FileDialogRequest& request,
                               QFileDialog::AcceptMode mode) {
  QFileDialog dialog(owner, request.caption);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  // The filter text already shows its patterns, as "ダイヤデータ(*.qvw)".
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  const QStringList filters = qt_name_filters(request.filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!request.default_suffix.isEmpty()) dialog.setDefaultSuffix(request.default_suffix);
  if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
  if (!request.initial_name.isEmpty()) dialog.selectFile(request.initial_name);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return QFile::encodeName(chosen.first()).toStdString();  // file system bytes
}

}  // namespace

std::optional<std::string> choose_open_file(QWidget* owner, const FileDialogRequest& request) {
  return run(owner, request, QFileDialog::AcceptOpen);
}

std::optional<std::string> choose_save_file(QWidget* owner, const FileDialogRequest& request) {
  return run(owner, request, QFileDialog::AcceptSave);
}

}  // namespace vosk::ui
