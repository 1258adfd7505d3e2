#pragma once
// Diagram: one train run (a working) with its list of events.
#include <cstddef>
#include <string>
#include <vector>

#include "dia/dia_event.h"

namespace vosk::dia {

// Byte limits of the diagram texts, terminator excluded.
inline constexpr std::size_t kTrainNumberBytes = 20;
inline constexpr std::size_t kDestinationTextBytes = 20;
inline constexpr std::size_t kNicknameBytes = 63;
inline constexpr std::size_t kRemarksBytes = 255;

// Values a diagram holds while the program runs; never stored, cleared at
// load and when a diagram is cleared or copied.
struct DiagramRunState {
  int owning_unit = 0;     // unit whose working chain holds the diagram, 0 = none
  int copy_source = 0;     // diagram this one was copied from, 0 = none
  int average_dwell = 0;   // from the running-order computation
  int reference_time = 0;  // time at the chosen target, for ordering
  // Marks of the passenger connection search.
  int search_kind = 0;  // 0 .. 3
  int search_from_target = 0;
  int search_to_target = 0;
  int search_best_time = 0;

  bool operator==(const DiagramRunState&) const = default;
};

struct Diagram {
  int direction = 0;  // of the first event's rail, 1 or 2; 0 marks a free slot
  // > 0: Target whose names are shown; < 0: free text, the absolute value
  // keeps the last automatically found target; 0: no automatic destination.
  int destination = 0;
  int flag_a = 0;  // one digit, inherited from a pattern's template
  int flag_b = 0;  // one digit, likewise
  int running_order = 0;
  int next_working = 0;      // 0 ends the working chain
  int crew = 0;              // 0 one-man, 1 .. 10 conductors
  int train_type = 0;        // d_type number, 0 = none (temporary dia)
  int pattern_template = 0;  // nonzero: template of that dia pattern
  int applied_pattern = 0;
  int pattern_changed = 0;  // 1: the applied pattern's template changed since
  int speed_type = 0;       // velocity number
  int flag_c = 0;           // 1 on every new or copied diagram; carried
  int follow_coupled = 0;   // 1: train information comes from the coupled run
  int coupled_behind = 0;
  int coupled_ahead = 0;
  int value_d = 0;               // carried
  int car_number = 0;            // the "号" number after the nickname, 0 = none
  std::string train_number;      // CP932
  std::string destination_text;  // CP932
  std::string nickname;          // CP932
  std::string remarks;           // CP932
  // The route and times. Empty for a diagram read without events (kept as
  // read, a run with no route yet); otherwise the last entry has type 0.
  std::vector<DiaEvent> events;
  DiagramRunState run;

  bool in_use() const { return direction != 0; }
  // Entries before the first end entry: the events a run actually has.
  std::size_t event_count() const;
  // Makes room for `capacity` events (the initial size of a run's list).
  void reserve_events(int capacity);
};

}  // namespace vosk::dia
