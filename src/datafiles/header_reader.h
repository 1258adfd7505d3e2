#pragma once
// Reading the header member. The open flow calls read_header() first, then
// loads the tables from the members it names, reads the warning settings and
// runs the map checks.
#include <string_view>

#include "base/prompt.h"
#include "datafiles/header_model.h"

namespace vosk::datafiles {

// How a read ended. Retry ends the read like Abort, but the open flow then
// offers the file selection again.
enum class ReadStatus { Ok, Abort, Retry };

struct HeaderReadResult {
  ReadStatus status = ReadStatus::Ok;
  // Everything read up to the point where the read ended.
  Header header;

  bool ok() const { return status == ReadStatus::Ok; }
};

// Reads a header member (CP932 text with LF line ends). `program_folder`
// ('/'-separated) holds the old_map folder that old versions take tables
// from. A version newer than kFormatVersion asks whether to go on.
// Questions and warnings go to `prompt`.
HeaderReadResult read_header(std::string_view content, std::string_view program_folder,
                             Prompt& prompt);

// After a failed table load: asks whether to go on regardless
// (Abort / Retry / Ignore); Ignore gives Ok.
ReadStatus ask_after_failed_table_load(Prompt& prompt);

}  // namespace vosk::datafiles
