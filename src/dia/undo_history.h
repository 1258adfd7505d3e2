#pragma once
// The undo history of dia edits: before each edit the dia is kept whole, under
// the name of the step the user would undo. Up to 100 steps are kept, fewer
// when memory runs short; undone steps can be redone until the next edit.
// Opening and saving a data set clear it.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "dia/dia_snapshot.h"

namespace vosk::dia {

// Rough bytes a copy of the dia takes (records, event lists, texts).
std::size_t approximate_bytes(const DiaTables& dia);

class UndoHistory {
 public:
  static constexpr std::size_t kMaxSteps = 100;

  // Asked before a step is kept: whether `more` bytes may be held on top of
  // the `held` bytes the history holds already. While it says no, the oldest
  // steps are given up; a step that does not fit even alone is not kept.
  using RoomCheck = std::function<bool(std::size_t held, std::size_t more)>;

  explicit UndoHistory(std::size_t max_steps = kMaxSteps, RoomCheck room = {})
      : max_steps_(max_steps), room_(std::move(room)) {}

  // Before an edit named `name` changes `live`: keeps live as it stands and
  // forgets the redo steps.
  void record(const DiaTables& live, std::string name);

  bool can_undo() const { return !undo_.empty(); }
  bool can_redo() const { return !redo_.empty(); }
  // Names of the steps undo() and redo() would take; empty when none.
  const std::string& undo_name() const;
  const std::string& redo_name() const;

  // Puts back the dia before the last step; the dia as it was goes to redo.
  // False when there is nothing to undo.
  bool undo(DiaTables& live);
  // Takes the last undone step again.
  bool redo(DiaTables& live);

  void clear();
  // Counts every record, undo, redo and clear: a window sharing the history
  // tells by it whether a change of the dia was recorded by someone else.
  std::uint64_t revision() const { return revision_; }
  std::size_t undo_steps() const { return undo_.size(); }
  std::size_t redo_steps() const { return redo_.size(); }
  std::size_t held_bytes() const { return held_; }

 private:
  struct Step {
    DiaSnapshot dia;
    std::string name;
    std::size_t bytes;
  };

  // Keeps `step` on `stack`, making room by giving up the oldest undo steps.
  bool keep(std::deque<Step>& stack, Step step);
  void drop_oldest();

  std::size_t max_steps_;
  RoomCheck room_;
  std::deque<Step> undo_;  // oldest first
  std::deque<Step> redo_;  // most recently undone last
  std::size_t held_ = 0;
  std::uint64_t revision_ = 0;
};

}  // namespace vosk::dia
