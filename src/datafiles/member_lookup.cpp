#include "datafiles/member_lookup.h"

#include "base/text_file.h"

namespace vosk::datafiles {

std::optional<std::string_view> MemberLookup::find(const MemberSource& source) {
  if (source.from_old_map()) return read_file(source.fixed_path);
  if (source.name.empty()) return std::nullopt;
  return find_named(source.name);
}

std::optional<std::string_view> MemberLookup::read_file(const std::filesystem::path& path) {
  auto text = textfile::read_text(path);
  if (!text) return std::nullopt;
  owned_.push_back(std::move(*text));
  return std::string_view(owned_.back());
}

std::optional<std::string_view> BundleMemberLookup::find_named(const std::string& name) {
  const bundle::Member* m = members_.find(name);
  if (!m) return std::nullopt;
  return m->content;
}

std::optional<std::string_view> FolderMemberLookup::find_named(const std::string& name) {
  // A name from the file must stay inside the folder.
  if (!bundle::is_safe_member_name(name)) return std::nullopt;
  return read_file(folder_ / name);
}

}  // namespace vosk::datafiles
