#include "statistics/ternary_diagram.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "data/size_classes.h"
#include "statistics/folk_group.h"

namespace granomet {
namespace {

const double kHeight = std::sqrt(3.0) / 2;

// top·shares.top + left·shares.left + right·shares.right >= bound
struct HalfPlane {
  double top;
  double left;
  double right;
  double bound;
};

double excess(const HalfPlane& plane, const TernaryShares& point) {
  return plane.top * point.top + plane.left * point.left + plane.right * point.right - plane.bound;
}

// Each share read at its own corner: at least `percent` of it, at most `percent` of it.
HalfPlane topAtLeast(double percent) {
  return {1, 0, 0, percent};
}
HalfPlane topAtMost(double percent) {
  return {-1, 0, 0, -percent};
}
HalfPlane leftAtLeast(double percent) {
  return {0, 1, 0, percent};
}
HalfPlane leftAtMost(double percent) {
  return {0, -1, 0, -percent};
}
HalfPlane rightAtLeast(double percent) {
  return {0, 0, 1, percent};
}
HalfPlane rightAtMost(double percent) {
  return {0, 0, -1, -percent};
}
// The right share at least `ratio` times the left one: a ray from the top corner.
HalfPlane rightToLeftAtLeast(double ratio) {
  return {0, -ratio, 1, 0};
}
HalfPlane rightToLeftAtMost(double ratio) {
  return {0, ratio, -1, 0};
}
// And the same for the other pairs of shares.
HalfPlane topToLeftAtLeast(double ratio) {
  return {1, -ratio, 0, 0};
}
HalfPlane topToLeftAtMost(double ratio) {
  return {-1, ratio, 0, 0};
}
HalfPlane rightToTopAtLeast(double ratio) {
  return {-ratio, 0, 1, 0};
}
HalfPlane rightToTopAtMost(double ratio) {
  return {ratio, 0, -1, 0};
}
HalfPlane leftToRightAtLeast(double ratio) {
  return {0, 1, -ratio, 0};
}
HalfPlane leftToRightAtMost(double ratio) {
  return {0, -1, ratio, 0};
}

TernaryShares between(const TernaryShares& from, const TernaryShares& to, double t) {
  return {from.top + (to.top - from.top) * t, from.left + (to.left - from.left) * t,
          from.right + (to.right - from.right) * t};
}

// The whole triangle cut down to the side of each half-plane.
TernaryField fieldWhere(int id, std::initializer_list<HalfPlane> planes) {
  std::vector<TernaryShares> polygon{{100, 0, 0}, {0, 100, 0}, {0, 0, 100}};
  for (const HalfPlane& plane : planes) {
    std::vector<TernaryShares> kept;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
      const TernaryShares& from = polygon[i];
      const TernaryShares& to = polygon[(i + 1) % polygon.size()];
      const double fromExcess = excess(plane, from);
      const double toExcess = excess(plane, to);
      if (fromExcess >= 0) {
        kept.push_back(from);
      }
      if ((fromExcess >= 0) != (toExcess >= 0)) {
        kept.push_back(between(from, to, fromExcess / (fromExcess - toExcess)));
      }
    }
    polygon = std::move(kept);
  }
  return {id, std::move(polygon)};
}

// Clay, sand and silt as the class rule takes them: top clay, left sand, right silt.
std::vector<TernaryField> shepardFields() {
  const HalfPlane notClay = topAtMost(kShepardDominant);
  const HalfPlane notSand = leftAtMost(kShepardDominant);
  const HalfPlane notSilt = rightAtMost(kShepardDominant);
  return {
      fieldWhere(1, {topAtLeast(kShepardDominant)}),
      fieldWhere(2, {notClay, leftAtLeast(kShepardDominant)}),
      fieldWhere(3, {notClay, notSand, rightAtLeast(kShepardDominant)}),
      fieldWhere(4, {notClay, notSand, notSilt, topAtMost(kShepardPoor), leftToRightAtLeast(1)}),
      fieldWhere(5, {notClay, notSand, notSilt, topAtMost(kShepardPoor), leftToRightAtMost(1)}),
      fieldWhere(9, {notClay, notSand, notSilt, topAtLeast(kShepardPoor), rightAtMost(kShepardPoor),
                     topToLeftAtMost(1)}),
      fieldWhere(8, {notClay, notSand, notSilt, topAtLeast(kShepardPoor), rightAtMost(kShepardPoor),
                     topToLeftAtLeast(1)}),
      fieldWhere(6, {notClay, notSand, notSilt, topAtLeast(kShepardPoor),
                     rightAtLeast(kShepardPoor), leftAtMost(kShepardPoor), rightToTopAtLeast(1)}),
      fieldWhere(7, {notClay, notSand, notSilt, topAtLeast(kShepardPoor),
                     rightAtLeast(kShepardPoor), leftAtMost(kShepardPoor), rightToTopAtMost(1)}),
      fieldWhere(10, {notClay, notSand, notSilt, topAtLeast(kShepardPoor),
                      rightAtLeast(kShepardPoor), leftAtLeast(kShepardPoor)}),
  };
}

int id(FolkGroup group) {
  return static_cast<int>(group);
}

// Gravel at the top, mud bottom left, sand bottom right. Below the trace of gravel
// the groups are told apart by silt and clay, which this triangle cannot show: the
// band is named by its sand to mud ratio alone.
std::vector<TernaryField> gravelSandMudFields() {
  constexpr double kTrace = 0.01;
  std::vector<TernaryField> fields{fieldWhere(id(FolkGroup::Gravel), {topAtLeast(80)})};
  const HalfPlane sandy = rightToLeftAtLeast(9);
  const HalfPlane notSandy = rightToLeftAtMost(9);
  const HalfPlane halfSand = rightToLeftAtLeast(1);
  const HalfPlane lessSand = rightToLeftAtMost(1);
  const HalfPlane someSand = leftToRightAtMost(9);
  const HalfPlane littleSand = leftToRightAtLeast(9);
  struct Band {
    double from;
    double to;
    FolkGroup sandy;
    FolkGroup halfSand;
    FolkGroup someSand;
    FolkGroup littleSand;
  };
  for (const Band& band : {
           Band{30, 80, FolkGroup::SandyGravel, FolkGroup::MuddySandyGravel, FolkGroup::MuddyGravel,
                FolkGroup::MuddyGravel},
           Band{5, 30, FolkGroup::GravellySand, FolkGroup::GravellyMuddySand,
                FolkGroup::GravellyMud, FolkGroup::GravellyMud},
           Band{kTrace, 5, FolkGroup::SlightlyGravellySand, FolkGroup::SlightlyGravellyMuddySand,
                FolkGroup::SlightlyGravellySandyMud, FolkGroup::SlightlyGravellyMud},
           Band{0, kTrace, FolkGroup::Sand, FolkGroup::MuddySand, FolkGroup::SandyMud,
                FolkGroup::Mud},
       }) {
    const HalfPlane above = topAtLeast(band.from);
    const HalfPlane below = topAtMost(band.to);
    fields.push_back(fieldWhere(id(band.sandy), {above, below, sandy}));
    fields.push_back(fieldWhere(id(band.halfSand), {above, below, notSandy, halfSand}));
    if (band.someSand == band.littleSand) {
      fields.push_back(fieldWhere(id(band.someSand), {above, below, lessSand}));
    } else {
      fields.push_back(fieldWhere(id(band.someSand), {above, below, lessSand, someSand}));
      fields.push_back(fieldWhere(id(band.littleSand), {above, below, littleSand}));
    }
  }
  return fields;
}

// Sand at the top, clay bottom left, silt bottom right.
std::vector<TernaryField> sandSiltClayFields() {
  std::vector<TernaryField> fields{fieldWhere(id(FolkGroup::Sand), {topAtLeast(90)})};
  const HalfPlane silty = rightToLeftAtLeast(2);
  const HalfPlane notSilty = rightToLeftAtMost(2);
  const HalfPlane muddy = leftToRightAtMost(2);
  const HalfPlane clayey = leftToRightAtLeast(2);
  struct Band {
    double from;
    double to;
    FolkGroup silty;
    FolkGroup muddy;
    FolkGroup clayey;
  };
  for (const Band& band : {
           Band{50, 90, FolkGroup::SiltySand, FolkGroup::MuddySand, FolkGroup::ClayeySand},
           Band{10, 50, FolkGroup::SandySilt, FolkGroup::SandyMud, FolkGroup::SandyClay},
           Band{0, 10, FolkGroup::Silt, FolkGroup::Mud, FolkGroup::Clay},
       }) {
    const HalfPlane above = topAtLeast(band.from);
    const HalfPlane below = topAtMost(band.to);
    fields.push_back(fieldWhere(id(band.silty), {above, below, silty}));
    fields.push_back(fieldWhere(id(band.muddy), {above, below, notSilty, muddy}));
    fields.push_back(fieldWhere(id(band.clayey), {above, below, clayey}));
  }
  return fields;
}

bool inside(const TernaryField& field, PlanePoint point) {
  constexpr double kEdge = 1e-9;
  const std::size_t count = field.corners.size();
  if (count < 3) {
    return false;
  }
  // The fields run counter-clockwise, as the triangle they are cut from.
  for (std::size_t i = 0; i < count; ++i) {
    const PlanePoint from = planePointOf(field.corners[i]);
    const PlanePoint to = planePointOf(field.corners[(i + 1) % count]);
    const double cross =
        (to.x - from.x) * (point.y - from.y) - (to.y - from.y) * (point.x - from.x);
    if (cross < -kEdge) {
      return false;
    }
  }
  return true;
}

bool isPercentage(double value) {
  return value >= 0 && value <= 100;
}

std::optional<TernaryShares> normalised(double top, double left, double right) {
  const double total = top + left + right;
  if (!(total > 0) || !std::isfinite(total)) {
    return std::nullopt;
  }
  return TernaryShares{100 * top / total, 100 * left / total, 100 * right / total};
}

}  // namespace

std::vector<TernaryField> ternaryFields(TernaryDiagram diagram) {
  switch (diagram) {
    case TernaryDiagram::Shepard:
      return shepardFields();
    case TernaryDiagram::FolkGravelSandMud:
      return gravelSandMudFields();
    case TernaryDiagram::FolkSandSiltClay:
      break;
  }
  return sandSiltClayFields();
}

std::optional<int> ternaryFieldAt(TernaryDiagram diagram, TernaryShares point) {
  const PlanePoint place = planePointOf(point);
  for (const TernaryField& field : ternaryFields(diagram)) {
    if (inside(field, place)) {
      return field.id;
    }
  }
  return std::nullopt;
}

std::optional<TernaryShares> ternarySharesOf(TernaryDiagram diagram, double gravel, double sand,
                                             double silt, double clay) {
  for (const double percent : {gravel, sand, silt, clay}) {
    if (!isPercentage(percent)) {
      return std::nullopt;
    }
  }
  switch (diagram) {
    case TernaryDiagram::Shepard:
      return normalised(clay, gravel + sand, silt);
    case TernaryDiagram::FolkGravelSandMud:
      return normalised(gravel, silt + clay, sand);
    case TernaryDiagram::FolkSandSiltClay:
      break;
  }
  // A trace is a hundredth of a percent, the precision of the results file.
  if (std::llround(gravel * 100) >= 1) {
    return std::nullopt;
  }
  return normalised(sand, clay, silt);
}

PlanePoint planePointOf(TernaryShares shares) {
  return {(shares.right + shares.top / 2) / 100, shares.top / 100 * kHeight};
}

TernaryShares sharesAt(PlanePoint point) {
  const double top = 100 * point.y / kHeight;
  const double right = 100 * point.x - top / 2;
  return {top, 100 - top - right, right};
}

}  // namespace granomet
