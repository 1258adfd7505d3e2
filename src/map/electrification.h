#pragma once
// Electrification codes of tracks (PRail) and series.
#include <array>
#include <string_view>

namespace vosk::map {

enum Electrification : int {
  kNonElectrified = 0,
  kDc600V = 1,
  kDc750V = 2,
  kDc1500V = 3,
  kAc20000V = 4,
  kAc25000V = 5,
};
inline constexpr int kElectrificationCount = 6;

// Labels in code order; UTF-8, for lists in dialogs.
inline constexpr std::array<std::string_view, kElectrificationCount> kElectrificationLabels = {
    "非電化", "直流  600[V]", "直流  750[V]", "直流 1500[V]", "交流20000[V]", "交流25000[V]",
};
// Keys in code order, as series files name the codes.
inline constexpr std::array<std::string_view, kElectrificationCount> kElectrificationKeys = {
    "NONELEC", "DC600V", "DC750V", "DC1500V", "AC20000V", "AC25000V",
};

}  // namespace vosk::map
