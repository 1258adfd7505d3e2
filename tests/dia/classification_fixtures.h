#pragma once
// Helpers for the classification-table tests: a prompt with its member
// warnings, and writers turned into strings.
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "support/scripted_prompt.h"

namespace vosk::dia::classification_testing {

// A member's warnings recorded by a scripted prompt.
struct Warned {
  explicit Warned(std::string member = "member.csv") : warnings(prompt, std::move(member)) {}
  testing::ScriptedPrompt prompt;
  MemberWarnings warnings;
};

// The content a member writer produces for `table`.
template <class Table, class Write>
std::string written(const Table& table, Write write) {
  csv::Writer out;
  write(table, out);
  return out.take();
}

// Reads `content` with `read` into a fresh table and writes it back.
template <class Table, class Read, class Write>
std::string round_trip(std::string_view content, int version, Read read, Write write,
                       Warned& warned) {
  Table table;
  read(content, version, table, warned.warnings);
  return written(table, write);
}

}  // namespace vosk::dia::classification_testing
