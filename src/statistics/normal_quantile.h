// The inverse of the standard normal distribution: where a percentage sits on probability paper.
#pragma once

namespace granomet {

// The z with probability p below it (p from 0 to 1): minus infinity at 0, plus
// infinity at 1, NaN outside [0, 1].
double normalQuantile(double p);

}  // namespace granomet
