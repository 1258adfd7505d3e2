#pragma once
// Reading a member into a table with its warnings recorded, and writing it
// back, for the display and signalling member tests.
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "support/scripted_prompt.h"

namespace vosk::map {

struct MemberLoad {
  testing::ScriptedPrompt prompt;

  // Reads `content` with `read` and returns the number of warnings shown.
  template <class Table, class Read>
  std::size_t read(Read read_member, std::string_view content, int version, Table& table) {
    const std::size_t before = prompt.count();
    MemberWarnings warnings(prompt, "member.csv");
    read_member(content, version, table, warnings);
    return prompt.count() - before;
  }
  const std::string& last_text() const { return prompt.last().text; }
};

template <class Table, class Write>
std::string written(Write write_member, const Table& table) {
  csv::Writer out;
  write_member(table, out);
  return out.take();
}

}  // namespace vosk::map
