#pragma once
// A window client area that draws into an off-screen picture of its own size
// and copies that picture to the screen on paint. The picture is rebuilt on
// resize and on redraw(); paint events only copy, so an expose never runs the
// drawing code.
#include <QImage>
#include <QWidget>

#include "base/surface.h"

namespace vosk::ui {

class PictureView : public QWidget {
  Q_OBJECT

 public:
  explicit PictureView(QWidget* parent = nullptr);

  // Draws the picture again and schedules a repaint.
  void redraw();
  const QImage& picture() const { return picture_; }

 protected:
  // Draws the whole client area; the picture starts cleared to `background()`.
  virtual void draw(Surface& surface) = 0;
  virtual Rgb background() const { return Rgb{255, 255, 255}; }

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace vosk::ui
