#pragma once
// Writing a window's drawing to a picture file, the format chosen by the
// file's extension: .svg through the core's SVG surface, .png and .pdf
// through the toolkit on its offscreen platform (when the program is built
// with it).
#include <functional>
#include <string>

#include "base/surface.h"

namespace vosk::cli {

enum class PictureFormat { Svg, Png, Pdf, Unknown };

PictureFormat picture_format(const std::string& path);

// Draws `pages` pictures of `size` pixels at 96 dots per inch and writes
// them to `path`: a PDF gets one page each; SVG and PNG hold one picture,
// so they take page 0 only. Returns an empty string or the reason for a
// failure, in a form fit for "caption: message".
std::string write_picture(const std::string& path, Size size, int pages,
                          const std::function<void(Surface&, int page)>& draw);

}  // namespace vosk::cli
