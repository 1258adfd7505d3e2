#pragma once
// printf-style formatting into std::string, for message texts and file lines
// whose formats are fixed literals.
#include <string>

namespace vosk {

std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vosk
