#pragma once
// The program's name and version.
#include <string>

namespace vosk::ui {

inline constexpr const char* kAppTitle = "VOSK";

// The version string of this build ("0.1.0").
const char* app_version();

// Text of the version box: the title and the version string.
std::string about_text(bool english);

}  // namespace vosk::ui
