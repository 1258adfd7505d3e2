#include "samples/names.h"

#include <cassert>

#include "base/sjis.h"

namespace vosk::samples {
namespace {

// A name is a first part and a second part; the parts are common words, so
// the combinations read like place names without naming a real line.
constexpr const char* kFirst[] = {"桜",   "若葉", "青葉", "緑", "白石", "朝日", "星見",
                                  "月見", "花園", "藤",   "柳", "松",   "竹",   "梅",
                                  "楓",   "椿",   "鶴",   "亀", "雲雀", "鷺"};
constexpr const char* kSecond[] = {"台", "丘", "町", "野", "原", "川", "浜", "坂",
                                   "沢", "谷", "橋", "森", "里", "宮", "島", "崎"};

constexpr int kBaseNames = static_cast<int>(std::size(kFirst) * std::size(kSecond));


}  // namespace

int station_name_limit() { return kBaseNames; }

std::vector<std::string> station_names(int count, SampleRandom& random) {
  assert(count <= station_name_limit());
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(kBaseNames));
  for (const char* first : kFirst) {
    for (const char* second : kSecond) names.push_back(std::string(first) + second);
  }
  random.shuffle(names);
  names.resize(static_cast<std::size_t>(count));
  return names;
}

std::string first_character(const std::string& utf8) {
  if (utf8.empty()) return {};
  auto lead = static_cast<unsigned char>(utf8[0]);
  std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return utf8.substr(0, n);
}

std::string record_text(const std::string& utf8, std::size_t max_bytes) {
  std::string bytes = sjis::from_utf8(utf8).value_or(sjis::from_utf8_lossy(utf8));
  return std::string(sjis::cut(bytes, max_bytes));
}

}  // namespace vosk::samples
