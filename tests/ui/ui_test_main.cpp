// Test program of the Qt layer: one QApplication on the offscreen platform
// for every test, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "ui/fonts.h"

namespace {
// The offscreen platform says so for every window feature it lacks.
void quiet_platform_notes(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
  if (message.startsWith(QStringLiteral("QStandardPaths:"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(message));
  if (type == QtFatalMsg) std::abort();
}
}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(quiet_platform_notes);
  // Windows are never shown on a display; the locale is fixed so the start
  // language (Japanese) does not depend on the machine.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("LANG", "C.UTF-8", 1);
  unsetenv("LC_ALL");
  unsetenv("VOSK_HOME");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  vosk::ui::install_font_substitutions();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
