#pragma once
// Shared pieces of the WinDIA tests: CP932 literals and a small file.
#include <string>
#include <string_view>
#include <vector>

#include "base/sjis.h"
#include "exchange/windia_export.h"
#include "exchange/windia_import.h"

namespace vosk::testing {

inline std::string cp(std::string_view utf8) { return sjis::from_utf8_lossy(utf8); }

// Lines of an exported file, the CR LF ends checked and dropped.
inline std::vector<std::string> windia_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back("<no CR LF>" + bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Three stations, A main; one down train 101 stopping at all three and one
// up train 202 from C to A passing B.
inline std::string small_windia_file() {
  return cp(
      "[WinDIA]\n"
      "テスト\n"
      "\n"
      "[駅]\n"
      "p,A\n"
      ",B\n"
      "pb,C\n"
      "\n"
      "[線種]\n"
      "LINES=84,66,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n"
      "Train00=普通,普\n"
      "Train01=回送,回\n"
      "\n"
      "[下り]\n"
      "0,101,,0,600,700/710,800/\n"
      "\n"
      "[上り]\n"
      "1,202,nick,3,930/,-,900\n"
      "\n");
}

}  // namespace vosk::testing
