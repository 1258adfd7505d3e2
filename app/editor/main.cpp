// vosk: the timetable editor.
//
//   vosk [--home DIR] [FILE.qvw | FILE.dia | /f FILE]
//
// --home names the program folder that holds korv.ini and the data folders.
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <string>
#include <vector>

#include "shell/language.h"
#include "ui/fonts.h"
#include "ui/data_set_document.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);  // takes out Qt's own options
  QApplication::setApplicationName(QStringLiteral("vosk"));
  vosk::ui::install_font_substitutions();

  const std::vector<std::string> arguments(argv + 1, argv + argc);
  std::string error;
  std::optional<vosk::ui::EditorState> state = vosk::ui::prepare_editor_state(arguments, &error);
  if (!state) {
    QMessageBox::critical(nullptr, QString::fromUtf8("起動エラー"), QString::fromStdString(error));
    return 1;
  }
  // Number and date formats follow the UI language.
  if (state->start.language.thread_locale) {
    QLocale::setDefault(QLocale(*state->start.language.thread_locale == vosk::shell::kLocaleJapanese
                                    ? QLocale::Japanese
                                    : QLocale::English,
                                *state->start.language.thread_locale == vosk::shell::kLocaleJapanese
                                    ? QLocale::Japan
                                    : QLocale::UnitedStates));
  }

  vosk::ui::EditorServices services;
  services.make_document = [](vosk::ui::EditorState& editor, vosk::Prompt& prompt) {
    return std::make_unique<vosk::ui::DataSetDocument>(editor, prompt);
  };
  vosk::ui::MainWindow window(std::move(*state), std::move(services));
  window.show();
  return app.exec();
}
