#include "dia/undo_history.h"

namespace vosk::dia {
namespace {

const std::string kNoStep;

template <class Record>
std::size_t table_bytes(const RecordTable<Record>& table) {
  return (static_cast<std::size_t>(table.extent()) + 1) * sizeof(Record);
}

}  // namespace

std::size_t approximate_bytes(const DiaTables& dia) {
  std::size_t bytes = table_bytes(dia.trains) + table_bytes(dia.units) + table_bytes(dia.diagrams) +
                      table_bytes(dia.accidents.between) + table_bytes(dia.accidents.rail) +
                      table_bytes(dia.accidents.point) + table_bytes(dia.accidents.unit) +
                      table_bytes(dia.accidents.station);
  for (const Diagram& d : dia.diagrams) {
    bytes += d.events.capacity() * sizeof(DiaEvent) + d.train_number.capacity() +
             d.destination_text.capacity() + d.nickname.capacity() + d.remarks.capacity();
  }
  return bytes;
}

void UndoHistory::record(const DiaTables& live, std::string name) {
  ++revision_;
  if (max_steps_ == 0) return;
  for (const Step& s : redo_) held_ -= s.bytes;
  redo_.clear();
  keep(undo_, Step{DiaSnapshot(live), std::move(name), approximate_bytes(live)});
}

const std::string& UndoHistory::undo_name() const {
  return undo_.empty() ? kNoStep : undo_.back().name;
}

const std::string& UndoHistory::redo_name() const {
  return redo_.empty() ? kNoStep : redo_.back().name;
}

bool UndoHistory::undo(DiaTables& live) {
  if (undo_.empty()) return false;
  ++revision_;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  held_ -= step.bytes;
  std::string name = step.name;
  Step current{DiaSnapshot(live), std::move(name), approximate_bytes(live)};
  std::move(step.dia).restore_into(live);
  keep(redo_, std::move(current));
  return true;
}

bool UndoHistory::redo(DiaTables& live) {
  if (redo_.empty()) return false;
  ++revision_;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  held_ -= step.bytes;
  Step current{DiaSnapshot(live), step.name, approximate_bytes(live)};
  std::move(step.dia).restore_into(live);
  keep(undo_, std::move(current));
  return true;
}

void UndoHistory::clear() {
  ++revision_;
  undo_.clear();
  redo_.clear();
  held_ = 0;
}

void UndoHistory::drop_oldest() {
  held_ -= undo_.front().bytes;
  undo_.pop_front();
}

bool UndoHistory::keep(std::deque<Step>& stack, Step step) {
  // Steps only move between the stacks after an edit, so undo and redo
  // together never hold more than max_steps_.
  if (&stack == &undo_) {
    while (undo_.size() >= max_steps_) drop_oldest();
  }
  while (!undo_.empty() && room_ && !room_(held_, step.bytes)) drop_oldest();
  if (room_ && !room_(held_, step.bytes)) return false;
  held_ += step.bytes;
  stack.push_back(std::move(step));
  return true;
}

}  // namespace vosk::dia
