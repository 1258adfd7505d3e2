#pragma once
// The stack member (stack.csv): the text form of an executed-state snapshot,
// carried by executed data (.qve) and written as rollback files
// ("roll_back_%d.csv").
//
// One record per line, every value followed by a comma, lines ending in LF:
// a preamble (the time, a blank line, the rollback manager's two values, a
// blank line), then the sections diagram, train, unit, point, route_lever,
// route_button, station, rail, p_rail and the five accident tables, each a
// keyword line, a count line "%d," with the highest record number N and the
// records 0 .. N.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/prompt.h"
#include "datafiles/executed_state.h"

namespace vosk::datafiles {

inline constexpr const char* kStackMemberName = "stack.csv";

// Appends the member's lines (without the bundle's member header line).
// Written back unchanged, a snapshot read from a file gives the same bytes.
void write_stack_member(const ExecutedState& state, csv::Writer& out);
// The member's text, e.g. for BundleWriteOptions::stack_member.
std::string stack_member_text(const ExecutedState& state);

struct StackReadResult {
  std::optional<ExecutedState> state;  // none when the text is damaged
  std::size_t error_line = 0;          // 1-based line where the damage was found
  std::string error;                   // what is wrong, UTF-8

  bool ok() const { return state.has_value(); }
};

// Reads the member's text (LF line ends). Counts are checked against the
// lines that remain, so a damaged count fails instead of allocating; a
// missing section, a short or over-long line and trailing text fail too.
StackReadResult parse_stack_member(std::string_view content);

// The same, telling a damaged member through `prompt` (caption
// "ファイル読み込みエラー") with `source` naming the file.
std::optional<ExecutedState> read_stack_member(std::string_view content, const std::string& source,
                                               Prompt& prompt);

// Reads a rollback file (text mode). A file that cannot be read gives
// "ファイル'%s'は開けませんでした。\n"; damaged content is told as above.
std::optional<ExecutedState> read_stack_file(const std::filesystem::path& path, Prompt& prompt);

}  // namespace vosk::datafiles
