#pragma once
// Texts written top to bottom in a run's column (nickname, remarks): one
// character per line, with the brackets and the long vowel mark turned the
// way vertical writing sets them.
#include <string>
#include <string_view>
#include <vector>

namespace vosk::timetable {

// The characters of a CP932 text, each as UTF-8; a lead byte without its
// trail byte is dropped rather than shown as half a character.
std::vector<std::string> vertical_characters(std::string_view cp932);

// The nickname with its 号 number: "%s%d号" when the number is not 0.
std::string nickname_text(std::string_view nickname, int car_number);

}  // namespace vosk::timetable
