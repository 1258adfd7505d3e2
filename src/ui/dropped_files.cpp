#include "ui/dropped_files.h"

#include <QInputDialog>
#include <QStringList>

namespace vosk::ui {

std::optional<std::size_t> choose_import_folder(QWidget* parent, DroppedKind kind) {
  QStringList labels;
  for (const datafiles::ImportFolder& f : datafiles::import_folders(kind))
    labels << QString::fromUtf8(f.label);
  if (labels.isEmpty()) return std::nullopt;
  bool ok = false;
  const QString chosen =
      QInputDialog::getItem(parent, QString::fromUtf8(kImportFolderTitle),
                            QString::fromUtf8(kImportFolderTitle), labels, 0, false, &ok);
  if (!ok) return std::nullopt;
  const auto index = labels.indexOf(chosen);
  return index < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(index));
}

}  // namespace vosk::ui
