// The triangles' fields against the rules that name a sample: the class rule and Folk's groups.
#include "statistics/ternary_diagram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <tuple>

#include "compute/shepard.h"
#include "statistics/folk_group.h"

namespace granomet {
namespace {

using enum TernaryDiagram;

// A point whose neighbours a little way off in every direction lie in its own
// field, or nullopt near an edge, where rounding may name either side.
std::optional<int> clearlyIn(TernaryDiagram diagram, TernaryShares point) {
  constexpr double kNear = 0.06;
  const std::optional<int> field = ternaryFieldAt(diagram, point);
  for (const TernaryShares step :
       {TernaryShares{kNear, -kNear, 0}, TernaryShares{-kNear, kNear, 0},
        TernaryShares{0, kNear, -kNear}, TernaryShares{0, -kNear, kNear},
        TernaryShares{kNear, 0, -kNear}, TernaryShares{-kNear, 0, kNear}}) {
    const TernaryShares near{point.top + step.top, point.left + step.left,
                             point.right + step.right};
    if (ternaryFieldAt(diagram, near) != field) {
      return std::nullopt;
    }
  }
  return field;
}

// Every point of a fine grid over the triangle, off the round numbers the rules use.
int checkGrid(TernaryDiagram diagram, const std::function<int(TernaryShares)>& rule) {
  int checked = 0;
  for (double left = 0.0371; left < 100; left += 0.7) {
    for (double right = 0.0713; left + right < 100; right += 0.7) {
      const TernaryShares point{100 - left - right, left, right};
      const std::optional<int> field = clearlyIn(diagram, point);
      if (!field) {
        continue;
      }
      ++checked;
      const int expected = rule(point);
      if (*field != expected) {
        ADD_FAILURE() << "top " << point.top << ", left " << point.left << ", right " << point.right
                      << ": field " << *field << ", rule " << expected;
        return checked;
      }
    }
  }
  return checked;
}

TEST(TernaryDiagram, EveryPointLiesInTheFieldOfItsShepardClassOrFolkGroup) {
  const auto folk = [](double gravel, double sand, double silt, double clay) {
    return static_cast<int>(*folkGroupOf(gravel, sand, silt, clay));
  };
  const std::pair<TernaryDiagram, std::function<int(TernaryShares)>> cases[] = {
      // Top clay, left sand with gravel, right silt; gravel split off changes nothing.
      {Shepard, [](auto p) { return clase(p.left / 4, p.left * 3 / 4, p.right, p.top); }},
      // Gravel at the top, mud left, sand right; how the mud divides does not
      // matter where there is gravel.
      {FolkGravelSandMud, [&](auto p) { return folk(p.top, p.right, p.left / 2, p.left / 2); }},
      {FolkSandSiltClay, [&](auto p) { return folk(0, p.top, p.right, p.left); }},
  };
  for (const auto& [diagram, rule] : cases) {
    EXPECT_GT(checkGrid(diagram, rule), 9000) << static_cast<int>(diagram);
  }
}

TEST(TernaryDiagram, BelowATraceOfGravelTheBandIsNamedBySandAndMud) {
  using G = FolkGroup;
  for (const auto& [sand, group] :
       {std::pair{95, G::Sand}, {70, G::MuddySand}, {30, G::SandyMud}, {5, G::Mud}}) {
    SCOPED_TRACE(sand);
    EXPECT_EQ(ternaryFieldAt(FolkGravelSandMud, {0.004, 100.0 - sand, sand - 0.004}),
              static_cast<int>(group));
  }
}

TEST(TernaryDiagram, FieldsCoverEachTriangleOnce) {
  for (const TernaryDiagram diagram : {Shepard, FolkGravelSandMud, FolkSandSiltClay}) {
    double area = 0;
    for (const TernaryField& field : ternaryFields(diagram)) {
      double twiceArea = 0;
      for (std::size_t i = 0; i < field.corners.size(); ++i) {
        const PlanePoint from = planePointOf(field.corners[i]);
        const PlanePoint to = planePointOf(field.corners[(i + 1) % field.corners.size()]);
        twiceArea += from.x * to.y - to.x * from.y;
      }
      EXPECT_GT(twiceArea, 0) << "field " << field.id << " is empty or turns clockwise";
      area += twiceArea / 2;
    }
    EXPECT_NEAR(area, std::sqrt(3.0) / 4, 1e-12);
    EXPECT_EQ(ternaryFieldAt(diagram, sharesAt({0.5, -0.1})), std::nullopt) << "below the base";
  }
}

TEST(TernaryDiagram, WhereASampleFalls) {
  for (const auto& [diagram, gravel, sand, silt, clay, expected] :
       {// Gravel counts with sand; the shares are of the three components alone.
        std::tuple{Shepard, 10.0, 40.0, 30.0, 20.0, std::optional(TernaryShares{20, 50, 30})},
        {Shepard, 0, 25, 25, 0, TernaryShares{0, 50, 50}},
        {FolkGravelSandMud, 10, 40, 30, 20, TernaryShares{10, 50, 40}},
        {FolkSandSiltClay, 0.004, 60, 30, 10, TernaryShares{60, 10, 30}},
        // A hundredth of gravel is a trace: no place among the gravel-free samples.
        {FolkSandSiltClay, 0.01, 60, 30, 9.99, std::nullopt},
        {Shepard, 0, 0, 0, 0, std::nullopt},
        {Shepard, 0, NAN, 50, 50, std::nullopt},
        {Shepard, 0, 101, 0, 0, std::nullopt},
        {FolkGravelSandMud, -1, 50, 50, 1, std::nullopt}}) {
    SCOPED_TRACE(testing::Message() << gravel << " " << sand << " " << silt << " " << clay);
    const std::optional<TernaryShares> shares = ternarySharesOf(diagram, gravel, sand, silt, clay);
    ASSERT_EQ(shares.has_value(), expected.has_value());
    if (shares) {
      EXPECT_NEAR(shares->top, expected->top, 1e-9);
      EXPECT_NEAR(shares->left, expected->left, 1e-9);
      EXPECT_NEAR(shares->right, expected->right, 1e-9);
    }
  }
}

}  // namespace
}  // namespace granomet
