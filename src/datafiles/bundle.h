#pragma once
// The bundle: a text archive of member files, and its nibble packing.
//
// Bundle text: members one after another, each a header line "#name" and
// the content up to the next header line. Bytes before the first header are
// dropped; "#" alone on a line ends the bundle.
//
// Packed form: 4-bit codes, two per byte, high nibble first: 0-9 digits,
// 10 ',', 11 '-', 12 ' ', 13 LF, 14 escape (two nibbles of a literal byte
// follow), 15 end of data (also pads the last byte).
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace vosk::bundle {

struct Member {
  std::string name;          // as written in the header line (CP932 bytes)
  std::string_view content;  // text-mode bytes, LF line ends, inside the bundle text
};

// Members of one bundle in file order. Lookups return the last member of a
// name, as a later member file overwrites an earlier one of the same name.
// The contents are views into the bundle text the set was split from (a
// large dia is not copied a second time), so that text must outlive the set.
class MemberSet {
 public:
  void add(std::string name, std::string_view content);
  const Member* find(std::string_view name) const;
  // The last member whose extension (text after the last '.') equals `ext`.
  const Member* find_by_extension(std::string_view ext) const;
  const std::vector<Member>& members() const { return members_; }
  bool empty() const { return members_.empty(); }

 private:
  std::vector<Member> members_;
};

// Appends "#name\n" to the bundle text; `path` may carry folders, only the
// part after the last '/' or '\' is the member name.
void write_member_header(std::string& bundle, std::string_view path);

std::string pack(std::string_view text);

enum class UnpackStatus { Ok, MissingEnd, EndsInEscape };
struct Unpacked {
  std::string text;
  UnpackStatus status = UnpackStatus::Ok;
};
// Decodes up to the first end code. Without one, `status` says whether the
// data stopped inside an escape or simply ran out.
Unpacked unpack(std::string_view packed);

// A member name that can be written as a file inside one folder: not empty,
// no '/', '\' or NUL, not "." or "..", no ".." path part, not absolute.
bool is_safe_member_name(std::string_view name);

struct SplitResult {
  MemberSet members;
  // First member whose name cannot be a file name inside the temp folder.
  std::optional<std::string> unsafe_name;
};
// Splits bundle text into its members, which view into `text`.
SplitResult split(std::string_view text);
// A temporary text would die before the members that view into it.
template <class Text>
  requires std::is_same_v<Text, std::string>
SplitResult split(Text&& temporary) = delete;

}  // namespace vosk::bundle
