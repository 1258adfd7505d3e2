#include "dia/check_text.h"

#include "base/sjis.h"

namespace vosk::dia {

Cp932Template::Cp932Template(std::string_view utf8) : text_(sjis::from_utf8_lossy(utf8)) {
  // CP932 never uses '%' (0x25) as a trail byte, so the search is safe on
  // the converted template.
  for (std::size_t hole = 0; (hole = text_.find("%s", hole)) != std::string::npos; hole += 2) {
    holes_.push_back(hole);
  }
}

std::string Cp932Template::fill(std::initializer_list<std::string_view> cp932_args) const {
  std::string out;
  fill_into(out, cp932_args);
  return out;
}

void Cp932Template::fill_into(std::string& out,
                              std::initializer_list<std::string_view> cp932_args) const {
  std::size_t size = text_.size() - 2 * holes_.size();
  for (std::string_view arg : cp932_args) size += arg.size();
  out.clear();
  out.reserve(size);
  auto arg = cp932_args.begin();
  std::size_t pos = 0;
  for (std::size_t hole : holes_) {
    out.append(text_, pos, hole - pos);
    if (arg != cp932_args.end()) out.append(*arg++);
    pos = hole + 2;
  }
  out.append(text_, pos);
}

}  // namespace vosk::dia
