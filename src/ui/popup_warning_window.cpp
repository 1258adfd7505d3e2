#include "ui/popup_warning_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPushButton>
#include <QVBoxLayout>

namespace vosk::ui {

PopupWarningWindow::PopupWarningWindow(shell::PopupWarnings& popups,
                                       shell::WarningSettings& warnings, Prompt& prompt,
                                       bool english, QWidget* owner)
    : QWidget(owner, Qt::Tool), popups_(popups), warnings_(warnings), prompt_(prompt) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(english ? QStringLiteral("Warning") : QString::fromUtf8("警告"));
  list_ = new QListWidget(this);
  auto* all = new QPushButton(
      english ? QStringLiteral("Turn All Popups into Beeps")
              : QString::fromUtf8("ポップアップ警告を全て警告音に変更"), this);
  auto* except = new QPushButton(
      english ? QStringLiteral("Turn Popups Except Disruptions into Beeps")
              : QString::fromUtf8("運転支障以外のポップアップ警告を警告音に変更"), this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(list_);
  layout->addWidget(all);
  layout->addWidget(except);
  connect(all, &QPushButton::clicked, this,
          [this] { shell::convert_all_popups(warnings_, prompt_); });
  connect(except, &QPushButton::clicked, this,
          [this] { shell::convert_popups_except_disruption(warnings_, prompt_); });
}

void PopupWarningWindow::refresh() {
  list_->clear();
  for (const std::string& line : popups_.lines()) list_->addItem(QString::fromStdString(line));
  const QFontMetrics metrics(list_->font());
  const int widest = popups_.longest_line_width([&](std::string_view utf8) {
    return metrics.horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  });
  const int frame = 2 * list_->frameWidth() + 16;  // list frame, item margins
  resize(std::max(widest + frame + 4, sizeHint().width()), height());
}

void PopupWarningWindow::closeEvent(QCloseEvent* event) {
  popups_.clear();
  event->accept();
}

}  // namespace vosk::ui
