// A graph that keeps the curves handed to it instead of drawing them.
#pragma once

#include <string>
#include <vector>

#include "ui/window_operations.h"

namespace granomet {

class HeadlessGraph final : public Graph {
 public:
  struct Curve {
    std::string sampleName;
    CurveValues x{};
    CurveValues y{};
    SampleComposition composition;
  };

  void startRun() override { ++runStarts_; }
  void plotCurve(std::string_view sampleName, const CurveValues& x, const CurveValues& y,
                 const SampleComposition& composition) override {
    curves_.push_back({std::string(sampleName), x, y, composition});
  }

  int runStarts() const { return runStarts_; }
  const std::vector<Curve>& curves() const { return curves_; }

 private:
  int runStarts_ = 0;
  std::vector<Curve> curves_;
};

}  // namespace granomet
