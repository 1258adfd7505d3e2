#pragma once
// Made-up Japanese names for the sample data set. Names are composed in
// UTF-8 here and turned into CP932 record texts by the callers.
#include <string>
#include <vector>

#include "samples/random.h"

namespace vosk::samples {

// The most distinct station names station_names() can make.
int station_name_limit();

// `count` different station names of two to three characters, in an order
// chosen by `random`. `count` is at most station_name_limit().
std::vector<std::string> station_names(int count, SampleRandom& random);

// The first character of a UTF-8 name.
std::string first_character(const std::string& utf8);

// CP932 bytes of a composed UTF-8 text, cut to `max_bytes` without splitting
// a double-byte character. Every name made here can be represented.
std::string record_text(const std::string& utf8, std::size_t max_bytes);

}  // namespace vosk::samples
