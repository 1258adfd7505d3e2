#pragma once
// The record lines of the stack member (stack.csv): the kinds of the values
// each line holds, in file order. Every value is followed by a comma; ints
// go out as "%d,", longs as "%ld,", reals as "%lf," and texts as "%s,".
//
// Most of these values are the simulators' run-time state, which this
// editor does not model; they are carried as read. executed_state.cpp says
// which positions are fields of the editor's records.
#include <cstdint>
#include <span>

namespace vosk::datafiles {

enum class StackValue : std::uint8_t {
  Int,   // "%d,"
  Long,  // "%ld," (a 32-bit long where the format was born)
  Real,  // "%lf,"
  Text,  // "%s,"
};

struct StackRun {
  StackValue kind;
  int count;
};

// One record line: runs of values of one kind. Ints and longs are held
// together as the record's numbers, in file order; likewise its texts and
// its reals.
struct StackLayout {
  std::span<const StackRun> runs;

  constexpr int count(StackValue a, StackValue b) const {
    int n = 0;
    for (const StackRun& r : runs) {
      if (r.kind == a || r.kind == b) n += r.count;
    }
    return n;
  }
  constexpr int numbers() const { return count(StackValue::Int, StackValue::Long); }
  constexpr int texts() const { return count(StackValue::Text, StackValue::Text); }
  constexpr int reals() const { return count(StackValue::Real, StackValue::Real); }
  constexpr int fields() const { return numbers() + texts() + reals(); }
};

namespace stack_runs {
using enum StackValue;
// "diagram": 18 ints, 4 texts, 7 ints, 4 longs, 6 ints.
inline constexpr StackRun kDiagram[] = {{Int, 18}, {Text, 4}, {Int, 7}, {Long, 4}, {Int, 6}};
// "train": 84 values ending in a text.
inline constexpr StackRun kTrain[] = {{Int, 3},  {Text, 1}, {Int, 5},  {Long, 1}, {Int, 7},
                                      {Long, 2}, {Int, 1},  {Long, 1}, {Int, 3},  {Long, 2},
                                      {Int, 6},  {Long, 5}, {Int, 25}, {Long, 2}, {Long, 4},
                                      {Int, 1},  {Int, 2},  {Real, 6}, {Int, 6},  {Text, 1}};
// "unit": 5 ints, the name, one more int.
inline constexpr StackRun kUnit[] = {{Int, 5}, {Text, 1}, {Int, 1}};
// The last line of a "point" record: 21 ints, the key, the number of
// sequence triples, 25 ints and a final int.
inline constexpr StackRun kPoint[] = {{Int, 21}, {Text, 1}, {Int, 1}, {Int, 25}, {Int, 1}};
inline constexpr StackRun kRouteLever[] = {{Int, 13}, {Long, 1}, {Int, 2}};
inline constexpr StackRun kRouteButton[] = {{Int, 9}};
// "station": 11 ints, 4 texts, 3 ints; the per-station columns follow.
inline constexpr StackRun kStation[] = {{Int, 11}, {Text, 4}, {Int, 3}};
inline constexpr StackRun kRail[] = {{Int, 7}};
inline constexpr StackRun kPRail[] = {{Int, 2}};
}  // namespace stack_runs

inline constexpr StackLayout kDiagramLine{stack_runs::kDiagram};
inline constexpr StackLayout kTrainLine{stack_runs::kTrain};
inline constexpr StackLayout kUnitLine{stack_runs::kUnit};
inline constexpr StackLayout kPointLine{stack_runs::kPoint};
inline constexpr StackLayout kRouteLeverLine{stack_runs::kRouteLever};
inline constexpr StackLayout kRouteButtonLine{stack_runs::kRouteButton};
inline constexpr StackLayout kStationLine{stack_runs::kStation};
inline constexpr StackLayout kRailLine{stack_runs::kRail};
inline constexpr StackLayout kPRailLine{stack_runs::kPRail};

static_assert(kDiagramLine.fields() == 39);
static_assert(kTrainLine.fields() == 84 && kTrainLine.reals() == 6 && kTrainLine.texts() == 2);
static_assert(kPointLine.fields() == 49);

// Fixed sizes of a point record: 20 rail blocks of 20 per-position triples.
inline constexpr int kStackPointBlocks = 20;
inline constexpr int kStackPointBlockLines = 20;
// Values per line of the nested lists.
inline constexpr int kStackUnitEntryValues = 6;
inline constexpr int kStackStationColumnValues = 8;

}  // namespace vosk::datafiles
