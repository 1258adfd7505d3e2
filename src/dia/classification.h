#pragma once
// The classification tables a dia carries besides its trains, together, and
// their CSV members in bundle order.
#include <span>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "dia/crew_message.h"
#include "dia/display_target.h"
#include "dia/passenger.h"
#include "dia/pattern.h"
#include "dia/sound_member.h"
#include "dia/speed_type.h"
#include "dia/stop_time.h"
#include "dia/train_type.h"

namespace vosk::dia {

struct ClassificationTables {
  TrainTypeTable train_types;
  DisplayTargetTable display_targets;
  PatternTable patterns;
  SpeedTypeTable speed_types;  // each with its running times
  StopTimeList stop_times;
  PassengerList passengers;
  SoundMember sound;
  CrewMessages crew_messages;
};

// The tables of a new dia: the 17 train types, the display target "全駅",
// speed type 1 "標準" with the map's MaxSpeed, no patterns, no stop times, no
// passenger flows, the default door sounds and empty announcements.
ClassificationTables new_classification_tables(int max_speed);

// One CSV member of the tables: content without the member's header line.
struct ClassificationMember {
  const char* name;  // member file name, e.g. "d_type.csv"
  void (*read)(std::string_view content, int version, ClassificationTables& tables,
               MemberWarnings& warnings);
  void (*write)(const ClassificationTables& tables, csv::Writer& out);
};

// d_pattern, d_type, d_mode, velocity, require_time, stop_time, passenger:
// the order of the bundle, which is also an order to read them in
// (require_time.csv fills the speed types velocity.csv made). sound.ini and
// crew_msg.ini follow the accident members and are read and written on their
// own (sound_member.h, crew_message.h).
std::span<const ClassificationMember> classification_members();

}  // namespace vosk::dia
