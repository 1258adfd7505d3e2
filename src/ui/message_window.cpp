#include "ui/message_window.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "base/sjis.h"
#include "ui/font_convert.h"

namespace vosk::ui {

MessageView::MessageView(const shell::MessageRing& ring, const shell::FontRecord& font,
                         QWidget* parent)
    : PictureView(parent), ring_(ring), font_(font) {}

void MessageView::set_font_record(const shell::FontRecord& font) {
  font_ = font;
  redraw();
}

void MessageView::draw(Surface& surface) {
  surface.set_font(drawing_font(font_));
  surface.set_text_colour({0, 0, 0});
  surface.set_background(false, {255, 255, 255});
  surface.set_text_align({HAlign::Left, VAlign::Top});
  const Size area = surface.size();
  const int text_height = surface.measure("0").height;
  const auto width_of = [&](std::string_view cp932) {
    return surface.measure(sjis::to_utf8_lossy(cp932)).width;
  };
  const auto rows = shell::message_rows(ring_, area.width, area.height, text_height, width_of);
  int y = 0;
  for (const std::string& row : rows) {
    surface.text({0, y}, sjis::to_utf8_lossy(row));
    y += text_height + 1;
  }
}

MessageWindow::MessageWindow(shell::MessageRing& ring, const shell::FontRecord& font,
                             bool english, bool tool_window, QWidget* owner)
    : QWidget(owner, tool_window ? Qt::Tool : Qt::Window), ring_(ring) {
  setWindowTitle(english ? QStringLiteral("Message Window")
                         : QString::fromUtf8("メッセージウインドウ"));
  view_ = new MessageView(ring, font, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  ring_.set_observer([this] { view_->redraw(); });
}

MessageWindow::~MessageWindow() { detach(); }

void MessageWindow::detach() {
  if (attached_) ring_.set_observer({});
  attached_ = false;
}

void MessageWindow::place(const shell::Rect& rect) {
  move(static_cast<int>(rect.left), static_cast<int>(rect.top));
  resize(static_cast<int>(std::max(1L, rect.width())), static_cast<int>(std::max(1L, rect.height())));
}

shell::Rect MessageWindow::placement() const {
  const QPoint at = pos();
  return shell::Rect{at.x(), at.y(), at.x() + width(), at.y() + height()};
}

void MessageWindow::set_tool_window(bool on) {
  const bool visible = isVisible();
  // Qt::Tool includes the Qt::Window bit, so the type is replaced whole;
  // changing the flags hides the window.
  setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | (on ? Qt::Tool : Qt::Window));
  if (visible) show();
}

void MessageWindow::set_font_record(const shell::FontRecord& font) { view_->set_font_record(font); }

void MessageWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  Q_EMIT closed();
}

}  // namespace vosk::ui
