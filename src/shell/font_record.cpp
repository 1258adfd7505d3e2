#include "shell/font_record.h"

#include "base/format.h"
#include "base/sjis.h"

namespace vosk::shell {

const char* face_name_key(bool english_start_locale) {
  return english_start_locale ? "FaceNameEnglish" : "FaceName";
}

FontRecord default_font_record(bool english_start_locale) {
  FontRecord f;
  f.face_name =
      english_start_locale ? std::string("MS Gothic") : sjis::from_utf8_lossy("ＭＳ ゴシック");
  return f;
}

FontRecord load_font_record(const ini::Document& settings, std::string_view section,
                            const FontRecord& fallback, bool english_start_locale) {
  FontRecord f;
  f.face_name = settings.get_string(section, face_name_key(english_start_locale),
                                    fallback.face_name, kFaceNameMaxBytes);
  f.point_size = settings.get_int(section, "PointSize", fallback.point_size);
  f.height = settings.get_int(section, "Height", fallback.height);
  f.weight = settings.get_int(section, "Weight", fallback.weight);
  f.italic = settings.get_int(section, "Italic", fallback.italic);
  f.underline = settings.get_int(section, "Underline", fallback.underline);
  f.strike_out = settings.get_int(section, "StrikeOut", fallback.strike_out);
  return f;
}

void save_font_record(ini::Document& settings, std::string_view section, const FontRecord& font,
                      bool english_start_locale) {
  settings.set_string(section, face_name_key(english_start_locale), font.face_name);
  settings.set_string(section, "PointSize", format("%d", font.point_size));
  settings.set_string(section, "Height", format("%d", font.height));
  settings.set_string(section, "Weight", format("%d", font.weight));
  settings.set_string(section, "Italic", format("%d", font.italic));
  settings.set_string(section, "Underline", format("%d", font.underline));
  settings.set_string(section, "StrikeOut", format("%d", font.strike_out));
}

Font drawing_font(const FontRecord& record) {
  Font f;
  f.face = sjis::to_utf8_lossy(record.face_name);
  f.height = record.height;
  f.point_size = record.point_size;
  f.weight = record.weight;
  f.italic = record.italic != 0;
  f.underline = record.underline != 0;
  f.strike_out = record.strike_out != 0;
  return f;
}

}  // namespace vosk::shell
