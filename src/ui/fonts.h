#pragma once
// Font names of the data sets and settings on this platform, and the font
// and colour choosers.
#include <QFont>
#include <QWidget>
#include <optional>

#include "base/surface.h"

namespace vosk::ui {

// Settings and data sets name the Japanese system fonts ("ＭＳ ゴシック",
// "MS Gothic", ...). Makes those names resolve to the IPA Gothic fonts.
// Call once after the application object exists.
void install_font_substitutions();

// The font chooser on a logical font. On OK returns the chosen font with its
// point size, a height of -point size at `logpixelsy`, weight, italic,
// underline and strike-out; the escapement is kept.
std::optional<Font> choose_font(QWidget* owner, const Font& current, int logpixelsy);

// The colour chooser; nullopt when cancelled.
std::optional<Rgb> choose_colour(QWidget* owner, Rgb current);

}  // namespace vosk::ui
