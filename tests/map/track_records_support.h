#pragma once
// Reading and writing the track record members in tests: a table read from
// member bytes with its warnings recorded, and the bytes written back.
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"
#include "support/scripted_prompt.h"

namespace vosk::map::track_test {

template <class Record>
using Reader = void (*)(std::string_view, int, RecordTable<Record>&, MemberWarnings&);
template <class Record>
using Writer = void (*)(const RecordTable<Record>&, csv::Writer&);

// Reads `content` into `table`, allocated first with `capacity`.
template <class Record>
void read_into(Reader<Record> read, std::string_view content, int version,
               RecordTable<Record>& table, testing::ScriptedPrompt& prompt, int capacity) {
  table.allocate(capacity);
  MemberWarnings warnings(prompt, "member.csv");
  read(content, version, table, warnings);
}

template <class Record>
std::string written(Writer<Record> write, const RecordTable<Record>& table) {
  csv::Writer out;
  write(table, out);
  return out.take();
}

}  // namespace vosk::map::track_test
