#pragma once
// Font records as windows keep them in korv.ini. The face name lives under
// one of two keys, picked by the locale the program started in: an English
// start reads and writes FaceNameEnglish, any other reads and writes
// FaceName, so each locale keeps its own face.
#include <string>
#include <string_view>

#include "base/ini.h"
#include "base/surface.h"

namespace vosk::shell {

struct FontRecord {
  std::string face_name;  // CP932, at most 31 bytes
  int point_size = 9;
  int height = -12;  // negative: character height in logical units
  int weight = 400;
  int italic = 0;
  int underline = 0;
  int strike_out = 0;
};

inline constexpr std::size_t kFaceNameMaxBytes = 31;
inline constexpr const char* kDefaultFontSection = "DefaultFont";

// The face name key for the start locale.
const char* face_name_key(bool english_start_locale);

// The built-in default font: "MS Gothic" after an English start, else
// "ＭＳ ゴシック" (CP932), 9 points, height -12, weight 400.
FontRecord default_font_record(bool english_start_locale);

// Reads `section`; every missing key keeps the value of `fallback`.
FontRecord load_font_record(const ini::Document& settings, std::string_view section,
                            const FontRecord& fallback, bool english_start_locale);

// Writes the face name (under the start locale's key), PointSize, Height,
// Weight, Italic, Underline, StrikeOut ("%d").
void save_font_record(ini::Document& settings, std::string_view section, const FontRecord& font,
                      bool english_start_locale);

// The record as a drawing font: the face converted to UTF-8.
Font drawing_font(const FontRecord& record);

}  // namespace vosk::shell
