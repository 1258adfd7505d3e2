#include "stock/series_pictures.h"

#include <fstream>

#include "base/sjis.h"

namespace vosk::stock {
namespace {

constexpr const char* kPictureCaption = "形式写真エラー";
constexpr const char* kIconCaption = "形式アイコンエラー";
constexpr const char* kMissingTail = "表示させるには、別途用意してインポートする必要があります。";

bool missing(const std::filesystem::path& folder, const std::string& name) {
  return !name.empty() && !bitmap_loadable(folder / name);
}

}  // namespace

bool bitmap_loadable(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  char signature[2] = {};
  return in.read(signature, 2) && signature[0] == 'B' && signature[1] == 'M';
}

void report_missing_pictures(const Series& s, const StockFolders& folders, Prompt& prompt) {
  if (missing(folders.image, s.picture))
    prompt.tell(kPictureCaption, std::string("形式写真が見つかりません。\n") + kMissingTail);
  if (missing(folders.image16, s.icon))
    prompt.tell(kIconCaption, std::string("形式アイコンが見つかりません。\n") + kMissingTail);
}

bool report_first_missing_picture(const SeriesTable& table, const StockFolders& folders,
                                  Prompt& prompt) {
  for (int n = 1; n <= table.extent(); ++n) {
    const Series& s = table[n];
    std::string name = sjis::to_utf8_lossy(s.name);
    if (missing(folders.image, s.picture)) {
      prompt.tell(kPictureCaption, name + "の形式写真が見つかりません。\n" + kMissingTail);
      return true;
    }
    if (missing(folders.image16, s.icon)) {
      prompt.tell(kIconCaption, name + "の形式アイコンが見つかりません。\n" + kMissingTail);
      return true;
    }
  }
  return false;
}

}  // namespace vosk::stock
