#pragma once
// Section names of the header member and how its texts are written.
#include <string>
#include <string_view>

#include "base/sjis.h"

namespace vosk::datafiles {

// A text written as a key's value: a line end would end the value early
// (and could start a new bundle member), so the text stops before it; the
// field holds 255 bytes.
inline std::string value_text(std::string_view text) {
  std::size_t end = text.find_first_of("\r\n");
  if (end != std::string_view::npos) text = text.substr(0, end);
  return std::string(sjis::cut(text, 255));
}

}  // namespace vosk::datafiles

// The Japanese names are CP932 bytes, spelled out because source files are UTF-8.
namespace vosk::datafiles::header_section {

inline constexpr const char* kFormat = "K-ORV";
inline constexpr const char* kFiles = "\x83\x74\x83\x40\x83\x43\x83\x8b";      // ファイル
inline constexpr const char* kStartTime = "\x8a\x4a\x8e\x6e\x8e\x9e\x8d\x8f";  // 開始時刻
inline constexpr const char* kDiaSettings =
    "\x83\x5f\x83\x43\x83\x84\x90\xdd\x92\xe8";                              // ダイヤ設定
inline constexpr const char* kMap = "\x83\x7d\x83\x62\x83\x76";              // マップ
inline constexpr const char* kDisplay = "\x95\x5c\x8e\xa6\x90\xdd\x92\xe8";  // 表示設定
inline constexpr const char* kPassengers = "\x8f\xe6\x8b\x71\x90\x94";       // 乗客数
inline constexpr const char* kStructSize = "StructSize";

}  // namespace vosk::datafiles::header_section
