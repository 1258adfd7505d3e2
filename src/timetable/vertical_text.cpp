#include "timetable/vertical_text.h"

#include "base/sjis.h"

namespace vosk::timetable {

std::vector<std::string> vertical_characters(std::string_view cp932) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < cp932.size();) {
    const bool wide = sjis::is_lead_byte(static_cast<unsigned char>(cp932[i]));
    if (wide && i + 1 >= cp932.size()) break;
    const std::size_t n = wide ? 2 : 1;
    std::string c = sjis::to_utf8_lossy(cp932.substr(i, n));
    i += n;
    if (c == "（" || c == "(") {
      c = "︵";
    } else if (c == "）" || c == ")") {
      c = "︶";
    } else if (c == "ー") {
      c = "｜";
    }
    out.push_back(std::move(c));
  }
  return out;
}

std::string nickname_text(std::string_view nickname, int car_number) {
  std::string text(nickname);
  if (car_number != 0) text += std::to_string(car_number) + sjis::from_utf8_lossy("号");
  return text;
}

}  // namespace vosk::timetable
