// The textural class of a sample in the sand-silt-clay triangle (Shepard, 1954).
#pragma once

#include <cstdint>
#include <string_view>

namespace granomet {

// Gravel counts as sand: S = gravel + sand. Returns the class code 1 to 10;
// the tests run in a fixed order, and ties go to the end class and then to the
// coarser main component. Throws ComputeFault when S overflows.
std::int16_t clase(const double& gravel, const double& sand, const double& silt,
                   const double& clay);

// Codes 1 to 9 by name; any other code is the central class "Sand_Silt_Clay".
std::string_view shepardName(std::int16_t code);

// The code of a class name as the results file keeps it ("Clayed_Silt"), 0 for a name
// it does not know.
std::int16_t shepardCodeOf(std::string_view name);

}  // namespace granomet
