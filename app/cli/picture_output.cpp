#include "picture_output.h"

#include <algorithm>
#include <cctype>

#include "base/svg_surface.h"
#include "base/text_file.h"
#if VOSK_CLI_PICTURES
#include "ui/picture_export.h"
#endif

namespace vosk::cli {
namespace {

constexpr int kDpi = 96;

std::string lower_extension(const std::string& path) {
  const auto dot = path.find_last_of('.');
  const auto slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

}  // namespace

PictureFormat picture_format(const std::string& path) {
  const std::string ext = lower_extension(path);
  if (ext == ".svg") return PictureFormat::Svg;
  if (ext == ".png") return PictureFormat::Png;
  if (ext == ".pdf") return PictureFormat::Pdf;
  return PictureFormat::Unknown;
}

std::string write_picture(const std::string& path, Size size, [[maybe_unused]] int pages,
                          const std::function<void(Surface&, int page)>& draw) {
  switch (picture_format(path)) {
    case PictureFormat::Svg: {
      SvgSurface svg(size, kDpi);
      draw(svg, 0);
      const std::string doc = svg.document();
      if (!textfile::write_binary_atomic(path, doc)) return path + " could not be written";
      return {};
    }
#if VOSK_CLI_PICTURES
    case PictureFormat::Png:
      if (auto e = ui::write_png(path, size, kDpi, [&](Surface& s) { draw(s, 0); }); !e.empty())
        return path + ": " + e;
      return {};
    case PictureFormat::Pdf:
      if (auto e = ui::write_pdf(path, size, kDpi, pages, draw); !e.empty()) return path + ": " + e;
      return {};
#else
    case PictureFormat::Png:
    case PictureFormat::Pdf:
      return "PNG and PDF pictures need a build with the editor's toolkit (VOSK_BUILD_UI=ON)";
#endif
    case PictureFormat::Unknown:
      break;
  }
  return path + ": the extension must be .svg, .png or .pdf";
}

}  // namespace vosk::cli
