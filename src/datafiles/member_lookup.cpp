#include "datafiles/member_lookup.h"

#include "base/text_file.h"

namespace vosk::datafiles {

const std::string* MemberLookup::find(const MemberSource& source) {
  if (source.from_old_map()) return read_file(source.fixed_path);
  if (source.name.empty()) return nullptr;
  return find_named(source.name);
}

const std::string* MemberLookup::read_file(const std::filesystem::path& path) {
  auto text = textfile::read_text(path);
  if (!text) return nullptr;
  owned_.push_back(std::move(*text));
  return &owned_.back();
}

const std::string* BundleMemberLookup::find_named(const std::string& name) {
  const bundle::Member* m = members_.find(name);
  return m ? &m->content : nullptr;
}

const std::string* FolderMemberLookup::find_named(const std::string& name) {
  // A name from the file must stay inside the folder.
  if (!bundle::is_safe_member_name(name)) return nullptr;
  return read_file(folder_ / name);
}

}  // namespace vosk::datafiles
