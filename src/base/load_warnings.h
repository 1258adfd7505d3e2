#pragma once
// Warnings about damaged members while a data set loads. Each member warns at
// most once (the first problem found), with the caption "ファイル読み込み警告";
// loading goes on with what is sound.
#include <string>
#include <string_view>

#include "base/prompt.h"

namespace vosk {

class MemberWarnings {
 public:
  MemberWarnings(Prompt& prompt, std::string member) : prompt_(prompt), member_(std::move(member)) {}

  // Texts of the usual problems; `line` is the 1-based line of the member.
  void record_out_of_range(std::size_t line, int number);
  void text_too_long(std::size_t line);
  void line_too_long(std::size_t line);
  void missing_member();
  // Any other problem, as a complete message text.
  void warn(const std::string& text);

  bool warned() const { return warned_; }
  const std::string& member() const { return member_; }

 private:
  Prompt& prompt_;
  std::string member_;
  bool warned_ = false;
};

}  // namespace vosk
