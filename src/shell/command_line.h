#pragma once
// The start command: one file to open, optionally after "/f".
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vosk::shell {

// The file named by the command text, nullopt when none. The text is
// scanned character by character:
// - a double quote toggles the quoted state and is not copied;
// - outside quotes a space ends the token;
// - outside quotes '/' ends the token and starts an option: the next
//   character is the option letter, and the character after the letter is
//   skipped as well ("/f name" leaves "name");
// - the end of the text or a newline ends the token and the scan; inside
//   quotes the scan simply stops and the unfinished token is dropped;
// - a token that ends while no option letter has been seen, or while the
//   last one was 'f', names the file (a later one replaces an earlier one);
//   after any other option ("/m", "/v", ...) tokens are ignored.
std::optional<std::string> command_line_file(std::string_view text);

// Command text from separate arguments (Linux argv without the program
// name): an argument of the form "/x" stays an option, every other one is
// quoted so that spaces and a leading '/' of an absolute path stay part of
// the file name. (A double quote inside an argument cannot be expressed.)
std::string command_text_from_arguments(const std::vector<std::string>& args);

enum class StartAction {
  None,          // no file named
  OpenDia,       // ".qvw": open with the open driver, no dialog
  ImportWinDia,  // ".dia": WinDIA text import
  StartError,    // anything else: tell the error, open nothing
};

struct StartCommand {
  StartAction action = StartAction::None;
  std::string file;
  // OpenDia: main window title while loading, "「<file>」を読み込んでいます。".
  std::string title;
  // StartError: message box text and caption.
  std::string message;
  std::string caption;
};

inline constexpr const char* kStartErrorText = "起動コマンドが確認できません。\n";
inline constexpr const char* kStartErrorCaption = "起動エラー";

// The action for a command text; extensions compare ignoring ASCII case.
// Texts are UTF-8, with the file name as the command text gave it.
StartCommand classify_start_command(std::string_view text);

}  // namespace vosk::shell
