#pragma once
// File access with the Windows text-mode conventions the data files rely on:
// a file written "in text mode" gets CR LF for every LF; reading in text mode
// drops only a CR that directly precedes an LF (a lone CR and 0x1A are data).
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vosk::textfile {

// Raw bytes of a file, nullopt when it cannot be opened or read.
std::optional<std::string> read_binary(const std::filesystem::path& path);

// Bytes of a file as text mode delivers them.
std::optional<std::string> read_text(const std::filesystem::path& path);

std::string to_text_mode(std::string_view on_disk);   // CR LF -> LF
std::string to_disk_mode(std::string_view in_memory);  // LF -> CR LF

// Writes `bytes` as they are. The target is replaced only once every byte is
// written and flushed: the bytes go to a temporary file beside it, which is
// then renamed over the target. On failure the old target is untouched.
// A replaced file keeps its permissions. With Links::Follow a symbolic link
// stays a link and the file it points at is replaced (saving a data set the
// user opened through a link); with Links::Replace the link itself is
// replaced, so nothing outside the target's folder is written (files
// unpacked into a folder).
enum class Links { Follow, Replace };
bool write_binary_atomic(const std::filesystem::path& path, std::string_view bytes,
                         Links links = Links::Follow);

// The same, converting LF to CR LF first.
bool write_text_atomic(const std::filesystem::path& path, std::string_view text,
                       Links links = Links::Follow);

}  // namespace vosk::textfile
