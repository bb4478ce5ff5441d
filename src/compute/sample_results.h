// What is computed for one sample: size and shell percentages, moments, textural class.
#pragma once

#include <cstdint>
#include <string>

namespace granomet {

struct SampleResults {
  // Percent of the shell-free weight, except shellPercent (of the total weight).
  double gravelPercent = 0;  // coarser than 2 mm
  double sandPercent = 0;    // 2 mm to 63 µm
  double siltPercent = 0;    // 63 µm to 4 µm
  double clayPercent = 0;    // finer than 4 µm
  double shellPercent = 0;
  float meanMicron = 0;
  float sortingMicron = 0;
  float skewnessMicron = 0;
  float kurtosisMicron = 0;
  float meanPhi = 0;
  float sortingPhi = 0;
  float skewnessPhi = 0;
  float kurtosisPhi = 0;
  std::int16_t shepardCode = 0;
  std::string shepardName;
};

}  // namespace granomet
