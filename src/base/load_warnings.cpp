#include "base/load_warnings.h"

#include "base/format.h"

namespace vosk {

void MemberWarnings::record_out_of_range(std::size_t line, int number) {
  warn(format("'%s'の%zu行目のレコード番号%dは範囲外のため読み飛ばしました。\n",
              member_.c_str(), line, number));
}

void MemberWarnings::text_too_long(std::size_t line) {
  warn(format("'%s'の%zu行目の文字列が長すぎるため切り詰めました。\n", member_.c_str(), line));
}

void MemberWarnings::line_too_long(std::size_t line) {
  warn(format("'%s'の%zu行目が長すぎるため切り詰めました。\n", member_.c_str(), line));
}

void MemberWarnings::missing_member() {
  warn(format("'%s'が見つかりません。\n", member_.c_str()));
}

void MemberWarnings::warn(const std::string& text) {
  if (warned_) return;
  warned_ = true;
  prompt_.tell(caption::kReadWarning, text);
}

}  // namespace vosk
