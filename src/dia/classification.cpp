#include "dia/classification.h"

namespace vosk::dia {
namespace {

// Adapters from each member's own table to the tables as a whole.
template <class Table, Table ClassificationTables::*field,
          void (*read_member)(std::string_view, int, Table&, MemberWarnings&)>
void read_part(std::string_view content, int version, ClassificationTables& tables,
               MemberWarnings& warnings) {
  read_member(content, version, tables.*field, warnings);
}

template <class Table, Table ClassificationTables::*field,
          void (*write_member)(const Table&, csv::Writer&)>
void write_part(const ClassificationTables& tables, csv::Writer& out) {
  write_member(tables.*field, out);
}

template <class Table, Table ClassificationTables::*field,
          void (*read_member)(std::string_view, int, Table&, MemberWarnings&),
          void (*write_member)(const Table&, csv::Writer&)>
constexpr ClassificationMember member(const char* name) {
  return {name, read_part<Table, field, read_member>, write_part<Table, field, write_member>};
}

using T = ClassificationTables;
constexpr ClassificationMember kMembers[] = {
    member<PatternTable, &T::patterns, read_d_pattern, write_d_pattern>("d_pattern.csv"),
    member<TrainTypeTable, &T::train_types, read_d_type, write_d_type>("d_type.csv"),
    member<DisplayTargetTable, &T::display_targets, read_d_mode, write_d_mode>("d_mode.csv"),
    member<SpeedTypeTable, &T::speed_types, read_velocity, write_velocity>("velocity.csv"),
    member<SpeedTypeTable, &T::speed_types, read_require_time, write_require_time>(
        "require_time.csv"),
    member<StopTimeList, &T::stop_times, read_stop_time, write_stop_time>("stop_time.csv"),
    member<PassengerList, &T::passengers, read_passenger, write_passenger>("passenger.csv"),
};

}  // namespace

ClassificationTables new_classification_tables(int max_speed) {
  ClassificationTables t;
  t.train_types = default_train_types();
  t.display_targets = default_display_targets();
  t.patterns.allocate(kMaxPatterns);
  t.speed_types = default_speed_types(max_speed);
  return t;
}

std::span<const ClassificationMember> classification_members() { return kMembers; }

}  // namespace vosk::dia
