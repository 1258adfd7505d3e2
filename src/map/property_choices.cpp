#include "map/property_choices.h"

#include "base/format.h"
#include "base/sjis.h"

namespace vosk::map {
namespace {

// A record without a name still has to be told apart in the list.
std::string choice_text(int number, const std::string& name) {
  return name.empty() ? format("(%d)", number) : sjis::to_utf8_lossy(name);
}

}  // namespace

std::vector<Choice> stopping_place_choices(const RecordTable<Target>& targets) {
  std::vector<Choice> choices;
  for (int t = 1; t <= targets.extent(); ++t) choices.push_back({t, choice_text(t, targets[t].name)});
  return choices;
}

std::vector<Choice> signal_choices(const SignalSets& signals) {
  std::vector<Choice> choices;
  for (int s = 1; s <= signals.sets.extent(); ++s)
    choices.push_back({s, choice_text(s, signals.sets[s].name)});
  return choices;
}

int choice_index(const std::vector<Choice>& choices, int value) {
  for (std::size_t i = 0; i < choices.size(); ++i)
    if (choices[i].value == value) return static_cast<int>(i);
  return -1;
}

}  // namespace vosk::map
