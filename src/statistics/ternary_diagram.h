// The three triangles a sediment is plotted on (Shepard's, Folk's two), their fields and a sample's
// place.
#pragma once

#include <optional>
#include <vector>

namespace granomet {

// Corners, top then bottom left then bottom right:
//   Shepard (1954)            clay, sand (gravel counted with it), silt
//   Folk gravel-sand-mud      gravel, mud, sand
//   Folk sand-silt-clay       sand, clay, silt (samples with no more than a trace of gravel)
enum class TernaryDiagram { Shepard, FolkGravelSandMud, FolkSandSiltClay };

// Percent of the three corners' components, adding up to 100.
struct TernaryShares {
  double top = 0;
  double left = 0;
  double right = 0;
};

// A field of a triangle, a convex polygon; id is the Shepard class code (1 to 10)
// or the FolkGroup, as an int.
struct TernaryField {
  int id = 0;
  std::vector<TernaryShares> corners;
};

// Every field of the triangle, covering it without overlaps. The Shepard fields are
// the regions the program's class rule gives, tested in its order (clay at least
// 75, sand, silt; then clay at most 20 before silt at most 20), which near the clay
// corner is not the drawing most books show.
std::vector<TernaryField> ternaryFields(TernaryDiagram diagram);

// The field that holds the point (on a shared edge, the first field listed), or
// nullopt outside the triangle.
std::optional<int> ternaryFieldAt(TernaryDiagram diagram, TernaryShares point);

// Where a sample falls, from its percentages of the shell-free sample. nullopt
// where a percentage is not a number between 0 and 100, the components weigh
// nothing, or (sand-silt-clay) the sample holds more than a trace of gravel.
std::optional<TernaryShares> ternarySharesOf(TernaryDiagram diagram, double gravel, double sand,
                                             double silt, double clay);

// A point of the triangle with sides of length 1: the bottom left corner at
// (0, 0), the bottom right at (1, 0), the top at (0.5, sqrt(3)/2), y upwards.
struct PlanePoint {
  double x = 0;
  double y = 0;
};
PlanePoint planePointOf(TernaryShares shares);
TernaryShares sharesAt(PlanePoint point);

}  // namespace granomet
