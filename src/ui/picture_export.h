#pragma once
// Pictures of a window's drawing written to files without a screen: PNG
// through an off-screen image and PDF through the PDF writer, both on the
// QPainter surface, for the command-line tool. The caller's draw function
// paints one picture or page on the surface it is given.
#include <functional>
#include <string>

#include "base/surface.h"

namespace vosk::ui {

// Makes sure a Qt GUI application object exists, on the offscreen platform
// unless QT_QPA_PLATFORM names another, so that fonts and painting work
// with no display. Does nothing when an application already exists.
void ensure_headless_gui();

// `size` pixels at `dpi` dots per inch, white first; aliased drawing.
// Returns an empty string or the reason the file could not be written.
std::string write_png(const std::string& path, Size size, int dpi,
                      const std::function<void(Surface&)>& draw);

// `pages` pages of `size` pixels each at `dpi`; draw is called with the
// page index from 0.
std::string write_pdf(const std::string& path, Size size, int dpi, int pages,
                      const std::function<void(Surface&, int page)>& draw);

}  // namespace vosk::ui
