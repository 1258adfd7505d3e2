#include "ui/picture_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include "ui/qpainter_surface.h"

namespace vosk::ui {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers everything
}

void PictureView::redraw() {
  const QSize wanted = size().expandedTo(QSize(1, 1));
  if (picture_.size() != wanted) picture_ = QImage(wanted, QImage::Format_RGB32);
  picture_.fill(to_qcolor(background()));
  {
    QPainter painter(&picture_);
    QPainterSurface surface(painter);
    draw(surface);
  }
  update();
}

void PictureView::paintEvent(QPaintEvent* event) {
  if (picture_.isNull()) redraw();
  QPainter painter(this);
  painter.drawImage(event->rect(), picture_, event->rect());
}

void PictureView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  redraw();
}

}  // namespace vosk::ui
