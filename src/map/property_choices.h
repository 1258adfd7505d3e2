#pragma once
// The choice lists of the map property dialogs: stopping places and signal
// sets by record number, with the texts the lists show.
#include <string>
#include <vector>

#include "base/record_table.h"
#include "map/signal_set.h"
#include "map/target.h"

namespace vosk::map {

struct Choice {
  int value = 0;     // the record number stored when the entry is chosen
  std::string text;  // UTF-8
  friend bool operator==(const Choice&, const Choice&) = default;
};

// Targets 1 .. extent by name (the number when a target has no name).
std::vector<Choice> stopping_place_choices(const RecordTable<Target>& targets);
// Signal sets 1 .. extent by name, the same way.
std::vector<Choice> signal_choices(const SignalSets& signals);

// The index of `value` in `choices`, -1 when it is not offered.
int choice_index(const std::vector<Choice>& choices, int value);

}  // namespace vosk::map
