#pragma once
// A copy of the whole dia (duties, formations, runs with their events and
// run-time values, accidents), taken before an operation that touches several
// runs and restored when it fails. It is also the dia part of the executed
// state that rollback points and the stack member hold.
#include "dia/dia_tables.h"

namespace vosk::dia {

class DiaSnapshot {
 public:
  explicit DiaSnapshot(const DiaTables& live) : tables_(live) {}
  const DiaTables& tables() const { return tables_; }

  // Replaces the live tables, sizes and capacities included, by the copy;
  // the snapshot is used up.
  void restore_into(DiaTables& live) && { live = std::move(tables_); }
  // Keeps the snapshot for another restore.
  void restore_copy_into(DiaTables& live) const { live = tables_; }

 private:
  DiaTables tables_;
};

}  // namespace vosk::dia
