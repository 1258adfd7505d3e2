#pragma once
// Helpers shared by the dia record tests: fresh tables, member round trips
// and a small map.
#include <map>
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "dia/dia_members.h"
#include "dia/dia_tables.h"
#include "dia/map_lookup.h"
#include "support/scripted_prompt.h"

namespace vosk::dia::records_testing {

using ReadFn = void (*)(std::string_view, int, DiaTables&, MemberWarnings&);
using WriteFn = void (*)(const DiaTables&, csv::Writer&);

inline DiaTables fresh_dia(int capacity = 50) {
  DiaTables dia;
  allocate_dia_tables(
      dia, {capacity, capacity, capacity, capacity, capacity, capacity, capacity, capacity});
  return dia;
}

inline std::string written(WriteFn write, const DiaTables& dia) {
  csv::Writer out;
  write(dia, out);
  return out.take();
}

// Every dia record member as written, one after the other.
inline std::string every_member(const DiaTables& dia) {
  std::string all;
  for (const DiaRecordMember& m : kDiaRecordMembers) all += written(m.write, dia);
  return all;
}

// Reads one member, recording any warning on `prompt`.
inline void read_into(ReadFn read, std::string_view content, int version, DiaTables& dia,
                      testing::ScriptedPrompt& prompt, const char* member = "member.csv") {
  MemberWarnings warnings(prompt, member);
  read(content, version, dia, warnings);
}

// Rails with their facts, for the operations that look at the map.
class TableMap : public MapLookup {
 public:
  struct RailFacts {
    int station = 0;
    int target = 0;
    int direction = 0;
    int stop_distance = 0;
    int dual = 0;
  };
  std::map<int, RailFacts> rails;
  std::map<int, std::string> station_names;

  int rail_station(int r) const override { return facts(r).station; }
  int rail_target(int r) const override { return facts(r).target; }
  int rail_direction(int r) const override { return facts(r).direction; }
  int rail_stop_distance(int r) const override { return facts(r).stop_distance; }
  int rail_dual(int r) const override { return facts(r).dual; }
  std::string station_name(int s) const override {
    auto it = station_names.find(s);
    return it == station_names.end() ? std::string() : it->second;
  }

 private:
  RailFacts facts(int r) const {
    auto it = rails.find(r);
    return it == rails.end() ? RailFacts{} : it->second;
  }
};

}  // namespace vosk::dia::records_testing
