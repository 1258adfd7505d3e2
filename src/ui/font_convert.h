#pragma once
// Font records of the settings (CP932 face names) as drawing fonts (UTF-8).
#include "base/surface.h"
#include "shell/font_record.h"

namespace vosk::ui {

// The record as a drawing font is shell::drawing_font, which argument
// lookup finds from here.

// The record after the font chooser: the face converted back to CP932 and
// cut to the record's 31 bytes.
shell::FontRecord font_record_from(const Font& font, const shell::FontRecord& previous);

}  // namespace vosk::ui
