#pragma once
// Unit: a formation (編成) of cars of one series. The units of a duty form a
// chain from Train::head_unit along unit_behind; unit_ahead is its reverse.
#include <cstddef>
#include <string>

namespace vosk::dia {

inline constexpr std::size_t kUnitNameBytes = 23;

struct Unit {
  int first_diagram = 0;  // where the formation's working chain begins, 0 = none
  int train = 0;          // the duty it belongs to
  int unit_ahead = 0;     // 0 for the head unit
  int unit_behind = 0;    // 0 for the last unit
  int series = 0;         // car count and performance come from the series
  std::string name;       // CP932, shown as "%s編成"
};

}  // namespace vosk::dia
