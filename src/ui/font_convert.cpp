#include "ui/font_convert.h"

#include "base/sjis.h"

namespace vosk::ui {

shell::FontRecord font_record_from(const Font& font, const shell::FontRecord& previous) {
  shell::FontRecord r = previous;
  const std::string face = sjis::from_utf8_lossy(font.face);
  r.face_name = std::string(sjis::cut(face, shell::kFaceNameMaxBytes));
  r.point_size = font.point_size;
  r.height = font.height;
  r.weight = font.weight;
  r.italic = font.italic ? 1 : 0;
  r.underline = font.underline ? 1 : 0;
  r.strike_out = font.strike_out ? 1 : 0;
  return r;
}

}  // namespace vosk::ui
