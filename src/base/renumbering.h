#pragma once
// Removing a record from a table moves the records above it down by one;
// every reference into the table follows.
#include <utility>

#include "base/record_table.h"

namespace vosk {

// A reference after record `removed` was taken out: 0 for the removed record
// itself, one lower for the records above it, unchanged below.
constexpr int renumbered_after_removal(int reference, int removed) {
  if (reference == removed) return 0;
  return reference > removed ? reference - 1 : reference;
}

// Takes record n (1 .. extent) out and moves the records above it down.
template <class Record>
void remove_record(RecordTable<Record>& table, int n) {
  int old_count = table.extent();
  for (int k = n; k < old_count; ++k) table[k] = std::move(table[k + 1]);
  table.shrink_to(old_count - 1);
}

}  // namespace vosk
