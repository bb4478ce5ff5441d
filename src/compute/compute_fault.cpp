#include "compute/compute_fault.h"

namespace granomet {

ComputeFault::ComputeFault(Kind kind, ComputeStep step, ComputeReason reason)
    : std::runtime_error("a step of the sample's computation failed"),
      kind_(kind),
      step_(step),
      reason_(reason) {}

void computeFault(ComputeFault::Kind kind, ComputeStep step, ComputeReason reason) {
  throw ComputeFault(kind, step, reason);
}

}  // namespace granomet
