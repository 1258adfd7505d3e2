#include "datafiles/bundle_files.h"

#include "base/format.h"
#include "base/sjis.h"
#include "base/text_file.h"

namespace vosk::bundle {
namespace {

void cannot_open_input(Prompt& prompt, const std::filesystem::path& path) {
  prompt.tell(caption::kReadError,
              format("読み込みファイル'%s'は開けませんでした。\n", path.c_str()));
}

void cannot_open_output(Prompt& prompt, const std::filesystem::path& path) {
  prompt.tell(caption::kWriteError,
              format("書き込みファイル'%s'は開けませんでした。\n", path.c_str()));
}

}  // namespace

std::optional<std::string> read_packed(const std::filesystem::path& packed_path, Prompt& prompt) {
  auto packed = textfile::read_binary(packed_path);
  if (!packed) {
    cannot_open_input(prompt, packed_path);
    return std::nullopt;
  }
  Unpacked result = unpack(*packed);
  if (result.status != UnpackStatus::Ok) {
    // The end code is always written; without it the file was cut short.
    prompt.tell(caption::kReadError,
                format("読み込みファイル'%s'は途中で切れています。\n", packed_path.c_str()));
    return std::nullopt;
  }
  return std::move(result.text);
}

bool pack_file(const std::filesystem::path& text_path, const std::filesystem::path& packed_path,
               Prompt& prompt) {
  auto text = textfile::read_text(text_path);
  if (!text) {
    cannot_open_input(prompt, text_path);
    return false;
  }
  if (!textfile::write_binary_atomic(packed_path, pack(*text))) {
    cannot_open_output(prompt, packed_path);
    return false;
  }
  return true;
}

bool unpack_file(const std::filesystem::path& packed_path, const std::filesystem::path& text_path,
                 Prompt& prompt) {
  auto text = read_packed(packed_path, prompt);
  if (!text) return false;
  if (!textfile::write_text_atomic(text_path, *text)) {
    cannot_open_output(prompt, text_path);
    return false;
  }
  return true;
}

std::optional<MemberSet> split_members(std::string_view text, const std::filesystem::path& source,
                                       std::string_view wanted_ext, Prompt& prompt) {
  SplitResult result = split(text);
  if (result.unsafe_name) {
    prompt.tell(caption::kReadError,
                format("読み込みファイル'%s'のメンバー名'%s'はファイル名として使えません。\n",
                       source.c_str(), sjis::to_utf8_lossy(*result.unsafe_name).c_str()));
    return std::nullopt;
  }
  if (result.members.empty()) {
    prompt.tell(caption::kReadError,
                format("読み込みファイル'%s'にはメンバーがありません。\n", source.c_str()));
    return std::nullopt;
  }
  if (!wanted_ext.empty() && !result.members.find_by_extension(wanted_ext)) {
    cannot_open_output(prompt, source);
    return std::nullopt;
  }
  return std::move(result.members);
}

std::optional<std::string> read_bundle_text(const std::filesystem::path& path, Prompt& prompt) {
  auto text = textfile::read_text(path);
  if (!text) cannot_open_input(prompt, path);
  return text;
}

bool write_members(const MemberSet& members, const std::filesystem::path& folder, Prompt& prompt) {
  for (const Member& member : members.members()) {
    // split_members refuses unsafe names; this guards other callers too.
    if (!is_safe_member_name(member.name)) return false;
    std::filesystem::path target = folder / member.name;
    // A link named like a member is replaced, never written through.
    if (!textfile::write_text_atomic(target, member.content, textfile::Links::Replace)) {
      cannot_open_output(prompt, target);
      return false;
    }
  }
  return true;
}

std::optional<std::filesystem::path> split_file(const std::filesystem::path& bundle_path,
                                                const std::filesystem::path& folder,
                                                std::string_view wanted_ext, Prompt& prompt) {
  auto text = read_bundle_text(bundle_path, prompt);
  if (!text) return std::nullopt;
  auto members = split_members(*text, bundle_path, wanted_ext, prompt);
  if (!members || !write_members(*members, folder, prompt)) return std::nullopt;
  if (wanted_ext.empty()) return folder;
  return folder / members->find_by_extension(wanted_ext)->name;
}

}  // namespace vosk::bundle
