#pragma once
// Planned accidents. The editor does not interpret them: each record is a set
// of numbers, a block of four numbers and five texts, loaded and saved
// unchanged for the simulators.
#include <array>
#include <cstddef>
#include <string>

namespace vosk::dia {

inline constexpr std::size_t kAccidentTextBytes = 255;

template <std::size_t Numbers>
struct AccidentRecord {
  std::array<int, Numbers> numbers{};
  std::array<int, 4> block{};
  std::array<std::string, 5> texts;  // CP932

  bool operator==(const AccidentRecord&) const = default;
};

struct AccidentBetween : AccidentRecord<6> {};
struct AccidentRail : AccidentRecord<6> {};
struct AccidentPoint : AccidentRecord<3> {};
struct AccidentUnit : AccidentRecord<4> {};
// accident_station.csv also repeats block[0] after the block; the copy is not
// kept, the writer writes block[0] again.
struct AccidentStation : AccidentRecord<4> {};

}  // namespace vosk::dia
