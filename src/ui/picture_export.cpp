#include "ui/picture_export.h"

#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <memory>

#include "ui/qpainter_surface.h"

namespace vosk::ui {

void ensure_headless_gui() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "vosk-cli";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

std::string write_png(const std::string& path, Size size, int dpi,
                      const std::function<void(Surface&)>& draw) {
  ensure_headless_gui();
  QImage image(size.width, size.height, QImage::Format_RGB32);
  if (image.isNull()) return "the picture is too large";
  const int dots_per_metre = static_cast<int>(dpi / 0.0254 + 0.5);
  image.setDotsPerMeterX(dots_per_metre);
  image.setDotsPerMeterY(dots_per_metre);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    QPainterSurface surface(painter);
    draw(surface);
  }
  if (!image.save(QString::fromStdString(path), "PNG")) return "the file could not be written";
  return {};
}

std::string write_pdf(const std::string& path, Size size, int dpi, int pages,
                      const std::function<void(Surface&, int page)>& draw) {
  ensure_headless_gui();
  QPdfWriter writer(QString::fromStdString(path));
  writer.setResolution(dpi);
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setPageSize(QPageSize(QSizeF(size.width * 72.0 / dpi, size.height * 72.0 / dpi),
                               QPageSize::Point, QString(), QPageSize::ExactMatch));
  QPainter painter;
  if (!painter.begin(&writer)) return "the file could not be written";
  for (int page = 0; page < pages; ++page) {
    if (page > 0 && !writer.newPage()) return "the file could not be written";
    QPainterSurface surface(painter);
    draw(surface, page);
  }
  if (!painter.end()) return "the file could not be written";
  return {};
}

}  // namespace vosk::ui
