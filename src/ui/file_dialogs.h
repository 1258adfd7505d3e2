#pragma once
// Common file dialogs. Filters come in the "text|pattern|text|pattern||"
// form the program's filter strings are written in, e.g.
// "ダイヤデータ(*.qvw)|*.qvw||".
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <string>

namespace vosk::ui {

// Qt name filters for a "text|pattern|...||" string: each pair becomes
// "text (patterns)". Pattern lists separated by ';' become space separated,
// and each pattern is also offered in upper case, because extensions match
// without regard to case while the file system does not. Pairs with an empty
// pattern are dropped.
QStringList qt_name_filters(const QString& windows_filter);

struct FileDialogRequest {
  QString caption;         // empty: the toolkit's default
  QString filter;          // "text|pattern||" form
  QString default_suffix;  // appended when the user types a name without one, e.g. "qvw"
  QString folder;          // initial folder
  QString initial_name;    // initial file name or path
};

// A file-must-exist open dialog; nullopt when cancelled. Paths are file
// system bytes (QFile::encodeName).
std::optional<std::string> choose_open_file(QWidget* owner, const FileDialogRequest& request);
// A save dialog that asks before overwriting; nullopt when cancelled.
std::optional<std::string> choose_save_file(QWidget* owner, const FileDialogRequest& request);

// The dialogs as the windows use them, so tests can answer them.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  virtual std::optional<std::string> open_file(QWidget* owner, const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> save_file(QWidget* owner, const FileDialogRequest& request) = 0;
};

class QtFileChooser : public FileChooser {
 public:
  std::optional<std::string> open_file(QWidget* owner, const FileDialogRequest& request) override {
    return choose_open_file(owner, request);
  }
  std::optional<std::string> save_file(QWidget* owner, const FileDialogRequest& request) override {
    return choose_save_file(owner, request);
  }
};

}  // namespace vosk::ui
