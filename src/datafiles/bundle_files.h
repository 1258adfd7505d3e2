#pragma once
// The bundle operations on files, reporting their own errors through the
// prompt and returning failure; callers only stop.
#include <filesystem>
#include <optional>

#include "base/prompt.h"
#include "datafiles/bundle.h"

namespace vosk::bundle {

// Reads `text_path` in text mode and writes the packed bytes to `packed_path`.
bool pack_file(const std::filesystem::path& text_path, const std::filesystem::path& packed_path,
               Prompt& prompt);

// Reads packed bytes and writes the bundle text in text mode.
bool unpack_file(const std::filesystem::path& packed_path, const std::filesystem::path& text_path,
                 Prompt& prompt);

// Reads and decodes a packed file into bundle text held in memory.
std::optional<std::string> read_packed(const std::filesystem::path& packed_path, Prompt& prompt);

// Reads bundle text (text mode) from a file.
std::optional<std::string> read_bundle_text(const std::filesystem::path& path, Prompt& prompt);

// Writes each member as a file (text mode) into `folder`, which must exist.
bool write_members(const MemberSet& members, const std::filesystem::path& folder, Prompt& prompt);

// Splits bundle text into member sets in memory; fails (with a message) on a
// member name that is not a plain file name, or when no member has the
// extension `wanted_ext` (unless it is empty), or when there is no member.
std::optional<MemberSet> split_members(std::string_view text, const std::filesystem::path& source,
                                       std::string_view wanted_ext, Prompt& prompt);
// The members view into the text, which must outlive them: no temporaries.
template <class Text>
  requires std::is_same_v<Text, std::string>
std::optional<MemberSet> split_members(Text&& temporary, const std::filesystem::path& source,
                                       std::string_view wanted_ext, Prompt& prompt) = delete;

// Writes every member of the bundle text at `bundle_path` as a file (text
// mode) into `folder`, which must exist. Returns the path of the last member
// with the extension `wanted_ext`, or `folder` itself when none was wanted.
// Nothing is written when a member name is unsafe.
std::optional<std::filesystem::path> split_file(const std::filesystem::path& bundle_path,
                                                const std::filesystem::path& folder,
                                                std::string_view wanted_ext, Prompt& prompt);

}  // namespace vosk::bundle
