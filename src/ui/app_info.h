#pragma once
// The program's name, version and the codes its help pages are asked with.
#include <string>

namespace vosk::ui {

inline constexpr const char* kAppTitle = "VOSK";
inline constexpr const char* kProductCode = "vosk";
inline constexpr const char* kAppCode = "vosk0010";  // "vosk" + version as four digits
inline constexpr const char* kHelpServer = "https://vosk.example.org";

// Address of a help page ("top", "enquete"): the help server, the receiving
// script and the query naming this program, its beta flag and the page.
std::string help_page_url(const std::string& page);

// The version string of this build ("0.1.0").
const char* app_version();

// Text of the version box: the title and the version string.
std::string about_text(bool english);

}  // namespace vosk::ui
