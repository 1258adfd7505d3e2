#pragma once
// Where the table loader finds member contents: in the members of an opened
// bundle (held in memory), or as files in the header's own folder when a
// header file is opened directly. Members of old versions that come from
// the program's old_map folder are read from disk in both cases.
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "datafiles/bundle.h"
#include "datafiles/header_model.h"

namespace vosk::datafiles {

class MemberLookup {
 public:
  virtual ~MemberLookup() = default;
  // The member's content (text-mode bytes), or nothing when it cannot be
  // found. The text stays valid as long as the lookup (and the bundle text
  // its members come from) lives.
  std::optional<std::string_view> find(const MemberSource& source);

 protected:
  virtual std::optional<std::string_view> find_named(const std::string& name) = 0;
  std::optional<std::string_view> read_file(const std::filesystem::path& path);

 private:
  std::deque<std::string> owned_;
};

class BundleMemberLookup : public MemberLookup {
 public:
  explicit BundleMemberLookup(const bundle::MemberSet& members) : members_(members) {}

 protected:
  std::optional<std::string_view> find_named(const std::string& name) override;

 private:
  const bundle::MemberSet& members_;
};

class FolderMemberLookup : public MemberLookup {
 public:
  explicit FolderMemberLookup(std::filesystem::path folder) : folder_(std::move(folder)) {}

 protected:
  std::optional<std::string_view> find_named(const std::string& name) override;

 private:
  std::filesystem::path folder_;
};

}  // namespace vosk::datafiles
