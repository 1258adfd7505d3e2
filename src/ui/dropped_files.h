#pragma once
// Files dropped on the editor, sorted by extension (compared ignoring ASCII
// case) in the order the desktop lists them. Every question has the caption
// "ファイル受付確認".
//
//   .qvw  "ダイヤデータを読み込みます。よろしいですか？" (Yes/No); Yes opens it.
//         The rest of the drop is not looked at.
//   .dia  the same question; Yes imports it as WinDIA. The rest is not looked at.
//   .qvi .wav .bmp  the data import of these kinds is not built yet: said so,
//         then the next file.
//   other "この形式は受付できません。続けますか？" (Yes/No, No stops) while more
//         files follow, "この形式は受付できません。" (OK) for the last one.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/prompt.h"

namespace vosk::ui {

inline constexpr const char* kDropCaption = "ファイル受付確認";

enum class DroppedKind { Dia, WinDia, ImportList, Sound, Picture, Other };

DroppedKind dropped_kind(std::string_view path);

struct DropHandlers {
  std::function<void(const std::string& path)> open_dia;      // after Yes
  std::function<void(const std::string& path)> import_windia;  // after Yes
};

// Paths are file system bytes; texts shown are UTF-8.
void accept_dropped_files(const std::vector<std::string>& paths, Prompt& prompt,
                          const DropHandlers& handlers);

}  // namespace vosk::ui
