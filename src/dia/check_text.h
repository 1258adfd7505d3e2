#pragma once
// Message texts of the dia checks, composed in CP932 so that record texts
// (train numbers, rail names) keep their bytes exactly on the way to the
// message window.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vosk::dia {

// A message template converted to CP932 once; fill() replaces each "%s", in
// order, by the next CP932 argument (inserted texts are not scanned again).
class Cp932Template {
 public:
  explicit Cp932Template(std::string_view utf8);
  std::string fill(std::initializer_list<std::string_view> cp932_args = {}) const;
  // The same into `out`, replacing what it held; reuses its storage.
  void fill_into(std::string& out, std::initializer_list<std::string_view> cp932_args) const;
  const std::string& text() const { return text_; }

 private:
  std::string text_;
  std::vector<std::size_t> holes_;  // where each "%s" starts
};

}  // namespace vosk::dia
