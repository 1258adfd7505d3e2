#pragma once
// Data set file kinds; the extension decides everything, compared ignoring case.
#include <filesystem>
#include <string>

namespace vosk::datafiles {

enum class FileKind {
  DiaQvw,    // .qvw: nibble-packed bundle, dia data
  DiaQvb,    // .qvb: nibble-packed bundle, dia data
  OldDia,    // .qvp: bundle text, not packed
  Executed,  // .qve: nibble-packed bundle with the executed-state member
  Header,    // anything else: a header member read directly
};

FileKind kind_of(const std::filesystem::path& path);
bool is_packed(FileKind kind);

// The opened file's name without folder and extension.
std::string file_title_of(const std::filesystem::path& path);

// Dialog filters, in the "text|*.ext|...||" form, by UI language.
const char* qvw_filter(bool english);
const char* qvb_filter(bool english);
const char* qve_filter(bool english);

}  // namespace vosk::datafiles
