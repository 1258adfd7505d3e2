#pragma once
// Files dropped on the editor, sorted by extension (compared ignoring ASCII
// case) in the order the desktop lists them, and the import lists (.qvi)
// that copy data files into the program folder. Every question of a drop
// has the caption "ファイル受付確認".
//
//   .qvi  "データ自動インポートを行います。よろしいですか？" (Yes/No/Cancel):
//         Yes copies the listed files, No skips it, Cancel ends the drop.
//   .wav .bmp  copied into the sub-folder chosen at the first file of the
//         kind (a cancelled choice ends the drop), replacing a file there.
//   .qvw  "ダイヤデータを読み込みます。よろしいですか？" (Yes/No); Yes opens it.
//         The rest of the drop is not looked at.
//   .dia  the same question; Yes imports it as WinDIA. The rest is not looked at.
//   other "この形式は受付できません。続けますか？" (Yes/No, No stops) while more
//         files follow, "この形式は受付できません。" (OK) for the last one.
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/prompt.h"

namespace vosk::datafiles {

inline constexpr const char* kDropCaption = "ファイル受付確認";

enum class DroppedKind { Dia, WinDia, ImportList, Sound, Picture, Other };

DroppedKind dropped_kind(std::string_view path);

// A destination the choice dialog ("インポート先を選択して下さい") offers.
struct ImportFolder {
  const char* label;   // UTF-8, as the dialog lists it
  const char* folder;  // below "sound/" for sounds, below the data folder for pictures
};

std::span<const ImportFolder> import_folders(DroppedKind kind);  // Sound or Picture

// Where a dropped sound or picture goes: data/sound/<folder>/<name> or
// data/<folder>/<name>.
std::filesystem::path dropped_file_destination(const std::filesystem::path& data_folder,
                                               DroppedKind kind, const ImportFolder& folder,
                                               const std::filesystem::path& file);

struct ImportCounts {
  int copied = 0;
  int failed = 0;  // failed or cancelled
  int present = 0;
  bool operator==(const ImportCounts&) const = default;
};

// Copies the files listed in section "ファイルリスト" (keys "00" to "99",
// paths relative to the list's folder) to the same relative paths below
// `data_folder`, asking before a different file is replaced, and ends with
// the "インポート終了" summary. Missing sub-folders are created; a path that
// would leave the data folder is refused and counted as failed.
ImportCounts import_listed_files(const std::filesystem::path& list,
                                 const std::filesystem::path& data_folder, Prompt& prompt);

struct DropHandlers {
  std::function<void(const std::string& path)> open_dia;       // after Yes
  std::function<void(const std::string& path)> import_windia;  // after Yes
  // The choice dialog for Sound or Picture: an index into import_folders(),
  // nullopt when cancelled.
  std::function<std::optional<std::size_t>(DroppedKind kind)> choose_folder;
};

// Paths are file system bytes; texts shown are UTF-8.
void accept_dropped_files(const std::vector<std::string>& paths,
                          const std::filesystem::path& data_folder, Prompt& prompt,
                          const DropHandlers& handlers);

}  // namespace vosk::datafiles
