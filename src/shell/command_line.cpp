#include "shell/command_line.h"

#include "base/format.h"

namespace vosk::shell {
namespace {

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// ".ext" of the last path component, empty without one.
std::string_view extension(std::string_view path) {
  std::size_t slash = path.find_last_of("/\\");
  std::size_t start = slash == std::string_view::npos ? 0 : slash + 1;
  std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < start) return {};
  return path.substr(dot);
}

bool is_option_argument(const std::string& a) { return a.size() == 2 && a[0] == '/'; }

}  // namespace

std::optional<std::string> command_line_file(std::string_view text) {
  std::optional<std::string> file;
  std::string token;
  bool quoted = false;
  char option = 0;  // 0: no option seen yet

  auto end_token = [&] {
    if ((option == 0 || option == 'f') && !token.empty()) file = token;
    token.clear();
  };

  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\n' || c == '\0') break;
    if (c == '"') {
      quoted = !quoted;
      ++i;
    } else if (!quoted && c == ' ') {
      end_token();
      ++i;
    } else if (!quoted && c == '/') {
      end_token();
      // A slash at the very end has no letter; nothing may be read past it.
      if (i + 1 >= text.size()) return file;
      option = text[i + 1];
      i += 3;
    } else {
      token += c;
      ++i;
    }
  }
  if (!quoted) end_token();
  return file;
}

std::string command_text_from_arguments(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& a : args) {
    if (!text.empty()) text += ' ';
    if (is_option_argument(a)) {
      text += a;
    } else {
      text += '"';
      text += a;
      text += '"';
    }
  }
  return text;
}

StartCommand classify_start_command(std::string_view text) {
  StartCommand out;
  auto file = command_line_file(text);
  if (!file) return out;
  out.file = *file;
  std::string_view ext = extension(out.file);
  if (equal_ignoring_case(ext, ".qvw")) {
    out.action = StartAction::OpenDia;
    out.title = format("「%s」を読み込んでいます。", out.file.c_str());
  } else if (equal_ignoring_case(ext, ".dia")) {
    out.action = StartAction::ImportWinDia;
  } else {
    out.action = StartAction::StartError;
    out.message = kStartErrorText;
    out.caption = kStartErrorCaption;
  }
  return out;
}

}  // namespace vosk::shell
