#pragma once
// Message boxes, as the core sees them. The editor shows them with its
// toolkit; the command-line tool answers them without a person; tests script
// the answers. Captions and texts are UTF-8.
#include <string>

namespace vosk {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore };
enum class Answer { Ok, Yes, No, Cancel, Abort, Retry, Ignore };

class Prompt {
 public:
  virtual ~Prompt() = default;
  virtual Answer ask(const std::string& caption, const std::string& text, Buttons buttons) = 0;

  // A message with only an OK button.
  void tell(const std::string& caption, const std::string& text) {
    ask(caption, text, Buttons::Ok);
  }
};

// Message box captions shared by every subsystem.
namespace caption {
inline constexpr const char* kReadError = "ファイル読み込みエラー";
inline constexpr const char* kWriteError = "ファイル書き込みエラー";
inline constexpr const char* kReadWarning = "ファイル読み込み警告";
inline constexpr const char* kOperationError = "操作エラー";
inline constexpr const char* kDataError = "データエラー";
inline constexpr const char* kInputDataError = "入力データエラー";
}  // namespace caption

}  // namespace vosk
