#pragma once
// A table of numbered records. Record numbers start at 1; record 0 exists and
// is never a real record. The capacity is the highest usable number (from the
// header's table sizes); the extent is the highest number in use, up to
// which writers emit records. Storage grows with the extent only, so a large
// capacity read from a file costs no memory.
#include <cassert>
#include <vector>

namespace vosk {

template <class Record>
class RecordTable {
 public:
  RecordTable() : records_(1) {}

  // Empties the table (record 0 only) and sets its capacity.
  void allocate(int capacity) {
    records_.assign(1, Record{});
    capacity_ = capacity < 0 ? 0 : capacity;
  }

  int capacity() const { return capacity_; }
  int extent() const { return static_cast<int>(records_.size()) - 1; }

  // True for 0 .. extent: a record that can be read or changed.
  bool contains(int n) const { return n >= 0 && n <= extent(); }
  // True for 1 .. extent: a number that names a record.
  bool names_record(int n) const { return n >= 1 && n <= extent(); }
  // True for 0 .. capacity: a number a loader may store.
  bool within_capacity(int n) const { return n >= 0 && n <= capacity_; }

  Record& operator[](int n) {
    assert(contains(n));
    return records_[static_cast<std::size_t>(n)];
  }
  const Record& operator[](int n) const {
    assert(contains(n));
    return records_[static_cast<std::size_t>(n)];
  }

  // Extends the table to hold record n (raising the capacity when needed)
  // and returns it. New records between are default records. Growing may
  // move the records: references taken before are no longer valid.
  Record& grow_to(int n) {
    assert(n >= 0);
    if (n > capacity_) capacity_ = n;
    if (n > extent()) records_.resize(static_cast<std::size_t>(n) + 1);
    return records_[static_cast<std::size_t>(n)];
  }

  // Drops records above n (n >= 0).
  void shrink_to(int n) {
    if (n >= 0 && n < extent()) records_.resize(static_cast<std::size_t>(n) + 1);
  }

  void raise_capacity(int n) {
    if (n > capacity_) capacity_ = n;
  }

  // Sets the capacity, never below the extent.
  void set_capacity(int n) { capacity_ = n > extent() ? n : extent(); }

  // Records 0 .. extent, for range-for loops.
  auto begin() { return records_.begin(); }
  auto end() { return records_.end(); }
  auto begin() const { return records_.begin(); }
  auto end() const { return records_.end(); }

 private:
  std::vector<Record> records_;
  int capacity_ = 0;
};

}  // namespace vosk
