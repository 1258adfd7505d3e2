#pragma once
// The message window: the message ring's newest lines, wrapped to the
// window width, drawn into the window's off-screen picture.
#include <QWidget>
#include <functional>

#include "shell/font_record.h"
#include "shell/message_ring.h"
#include "shell/window_placement.h"
#include "ui/picture_view.h"

namespace vosk::ui {

inline constexpr shell::Rect kMessageWindowDefault{0, 40, 1000, 140};

// The client area: rows of the ring laid out by the shell, each one text
// height plus one pixel, black on white, left-aligned.
class MessageView : public PictureView {
  Q_OBJECT

 public:
  MessageView(const shell::MessageRing& ring, const shell::FontRecord& font,
              QWidget* parent = nullptr);
  void set_font_record(const shell::FontRecord& font);

 protected:
  void draw(Surface& surface) override;

 private:
  const shell::MessageRing& ring_;
  shell::FontRecord font_;
};

class MessageWindow : public QWidget {
  Q_OBJECT

 public:
  // Attaches itself to the ring; detaches when destroyed or by detach().
  MessageWindow(shell::MessageRing& ring, const shell::FontRecord& font, bool english,
                bool tool_window, QWidget* owner);
  ~MessageWindow() override;

  // Moves and sizes the window to a stored placement (client size).
  void place(const shell::Rect& rect);
  // The placement as stored: top-left of the frame, client size.
  shell::Rect placement() const;

  void detach();
  void set_tool_window(bool on);
  void set_font_record(const shell::FontRecord& font);
  MessageView* view() const { return view_; }

 Q_SIGNALS:
  // The user closed the window; the owner forgets and destroys it.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  shell::MessageRing& ring_;
  bool attached_ = true;
  MessageView* view_;
};

}  // namespace vosk::ui
