#pragma once
// Files dropped on the editor: the sorting and copying live in the core
// (datafiles/data_import.h); this adds the destination choice dialog.
#include <optional>

#include "datafiles/data_import.h"

class QWidget;

namespace vosk::ui {

using datafiles::DropHandlers;
using datafiles::dropped_kind;
using datafiles::DroppedKind;
using datafiles::kDropCaption;

inline constexpr const char* kImportFolderTitle = "インポート先を選択して下さい";

// The list of destinations for a dropped sound or picture; the index into
// datafiles::import_folders(kind), nullopt when cancelled.
std::optional<std::size_t> choose_import_folder(QWidget* parent, DroppedKind kind);

}  // namespace vosk::ui
