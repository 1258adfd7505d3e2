#pragma once
// Crew announcement texts (crew_msg.ini): a fixed set of sections and keys,
// every value a text of at most 255 bytes, empty by default.
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"

namespace vosk::dia {

struct CrewSection {
  const char* name;                   // UTF-8, without brackets
  std::span<const char* const> keys;  // UTF-8, in the order written
};

// The sections in the order written.
std::span<const CrewSection> crew_sections();

constexpr std::size_t kCrewMessageCount = 52;

class CrewMessages {
 public:
  // Value by section and key (UTF-8 names); nullopt for a pair not in the layout.
  std::optional<std::string_view> get(std::string_view section, std::string_view key) const;
  // Stores a CP932 value cut to 255 bytes; false for a pair not in the layout.
  bool set(std::string_view section, std::string_view key, std::string_view value);

  // Values in layout order: the keys of the first section, then the next ...
  const std::array<std::string, kCrewMessageCount>& values() const { return values_; }
  std::array<std::string, kCrewMessageCount>& values() { return values_; }

 private:
  std::array<std::string, kCrewMessageCount> values_;
};

void read_crew_msg(std::string_view content, int version, CrewMessages& messages,
                   MemberWarnings& warnings);
void write_crew_msg(const CrewMessages& messages, csv::Writer& out);

}  // namespace vosk::dia
