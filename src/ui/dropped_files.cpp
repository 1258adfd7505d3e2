#include "ui/dropped_files.h"

#include <filesystem>

#include "base/format.h"

namespace vosk::ui {

namespace {

constexpr const char* kLoadQuestion = "ダイヤデータを読み込みます。よろしいですか？";
constexpr const char* kRefusedGoOn = "この形式は受付できません。続けますか？";
constexpr const char* kRefused = "この形式は受付できません。";
constexpr const char* kNotBuilt = "この版ではまだ「%s」を取り込めません。";

bool extension_is(std::string_view path, std::string_view wanted) {
  if (path.size() < wanted.size()) return false;
  const std::string_view ext = path.substr(path.size() - wanted.size());
  for (std::size_t i = 0; i < ext.size(); ++i) {
    const char c = ext[i];
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
    if (lower != wanted[i]) return false;
  }
  return true;
}

}  // namespace

DroppedKind dropped_kind(std::string_view path) {
  // Only the name counts: a folder called "x.qvw/" holds no extension.
  const std::string name = std::filesystem::path(path).filename().string();
  if (extension_is(name, ".qvw")) return DroppedKind::Dia;
  if (extension_is(name, ".dia")) return DroppedKind::WinDia;
  if (extension_is(name, ".qvi")) return DroppedKind::ImportList;
  if (extension_is(name, ".wav")) return DroppedKind::Sound;
  if (extension_is(name, ".bmp")) return DroppedKind::Picture;
  return DroppedKind::Other;
}

void accept_dropped_files(const std::vector<std::string>& paths, Prompt& prompt,
                          const DropHandlers& handlers) {
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string& path = paths[i];
    const bool more = i + 1 < paths.size();
    switch (dropped_kind(path)) {
      case DroppedKind::Dia:
      case DroppedKind::WinDia: {
        if (prompt.ask(kDropCaption, kLoadQuestion, Buttons::YesNo) == Answer::Yes) {
          const auto& handler =
              dropped_kind(path) == DroppedKind::Dia ? handlers.open_dia : handlers.import_windia;
          if (handler) handler(path);
        }
        return;
      }
      case DroppedKind::ImportList:
      case DroppedKind::Sound:
      case DroppedKind::Picture:
        prompt.tell(kDropCaption, format(kNotBuilt, path.c_str()));
        break;
      case DroppedKind::Other:
        if (!more) {
          prompt.tell(kDropCaption, kRefused);
        } else if (prompt.ask(kDropCaption, kRefusedGoOn, Buttons::YesNo) != Answer::Yes) {
          return;
        }
        break;
    }
  }
}

}  // namespace vosk::ui
