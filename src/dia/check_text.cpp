#include "dia/check_text.h"

#include "base/sjis.h"

namespace vosk::dia {

Cp932Template::Cp932Template(std::string_view utf8) : text_(sjis::from_utf8_lossy(utf8)) {}

std::string Cp932Template::fill(std::initializer_list<std::string_view> cp932_args) const {
  // CP932 never uses '%' (0x25) as a trail byte, so the search is safe on
  // the converted template.
  std::string out;
  auto arg = cp932_args.begin();
  std::size_t pos = 0;
  for (std::size_t hole; (hole = text_.find("%s", pos)) != std::string::npos; pos = hole + 2) {
    out.append(text_, pos, hole - pos);
    if (arg != cp932_args.end()) out.append(*arg++);
  }
  out.append(text_, pos);
  return out;
}

}  // namespace vosk::dia
