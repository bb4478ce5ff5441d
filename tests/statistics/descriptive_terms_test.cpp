// The words for a sample's mean, sorting, skewness and kurtosis, and Folk's groups, at every limit.
#include "statistics/descriptive_terms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "statistics/folk_group.h"

namespace granomet {
namespace {

// Each limit belongs to the term above it; the value just below it, to the term below.
// Values beyond the scale keep its outermost terms.
template <typename Term>
void expectLimits(Term (*termOf)(double), const std::vector<double>& limits) {
  for (std::size_t i = 0; i < limits.size(); ++i) {
    SCOPED_TRACE(limits[i]);
    EXPECT_EQ(termOf(std::nextafter(limits[i], -INFINITY)), static_cast<Term>(i));
    EXPECT_EQ(termOf(limits[i]), static_cast<Term>(i + 1));
  }
  EXPECT_EQ(termOf(limits.front() - 12), static_cast<Term>(0));
  EXPECT_EQ(termOf(limits.back() + 6), static_cast<Term>(limits.size()));
}

TEST(DescriptiveTerms, EachIntervalIsClosedAtItsLowerEnd) {
  expectLimits(meanSizeTermOf, {-8, -6, -5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8});
  expectLimits(sortingTermOf, {0.35, 0.50, 0.70, 1.00, 2.00, 4.00});
  expectLimits(skewnessTermOf, {-0.3, -0.1, 0.1, 0.3});
  expectLimits(kurtosisTermOf, {0.67, 0.90, 1.11, 1.50, 3.00});
}

// Pairs on both sides of each limit: percentages as the results file gives them.
TEST(FolkGroup, ABoundaryBelongsToTheCoarserGroup) {
  for (const auto& [gravel, sand, silt, clay, code] :
       {std::tuple{80.00, 18.00, 1.00, 1.00, "G"}, {79.99, 18.01, 1.00, 1.00, "sG"},
        {30.00, 63.00, 7.00, 0.00, "sG"},          {29.99, 63.01, 7.00, 0.00, "gS"},
        {40.00, 54.00, 6.00, 0.00, "sG"},          {40.00, 53.99, 6.01, 0.00, "msG"},
        {40.00, 30.00, 20.00, 10.00, "msG"},       {40.00, 29.99, 20.01, 10.00, "mG"},
        {5.00, 85.50, 9.50, 0.00, "gS"},           {4.99, 85.51, 9.50, 0.00, "(g)S"},
        {10.00, 45.00, 40.00, 5.00, "gmS"},        {10.00, 44.99, 40.01, 5.00, "gM"},
        {0.01, 90.00, 9.99, 0.00, "(g)S"},         {0.00, 90.01, 9.99, 0.00, "S"},
        {1.00, 89.10, 9.90, 0.00, "(g)S"},         {1.00, 89.09, 9.91, 0.00, "(g)mS"},
        {1.00, 49.50, 49.50, 0.00, "(g)mS"},       {1.00, 49.49, 49.51, 0.00, "(g)sM"},
        {1.00, 9.90, 89.10, 0.00, "(g)sM"},        {1.00, 9.89, 89.11, 0.00, "(g)M"},
        {0.00, 90.00, 10.00, 0.00, "S"},           {0.00, 89.99, 10.01, 0.00, "zS"},
        {0.00, 70.00, 20.00, 10.00, "zS"},         {0.00, 70.00, 19.99, 10.01, "mS"},
        {0.00, 70.00, 10.00, 20.00, "mS"},         {0.00, 70.00, 9.99, 20.01, "cS"},
        {0.00, 50.00, 35.00, 15.00, "zS"},         {0.00, 49.99, 35.01, 15.00, "sZ"},
        {0.00, 30.00, 35.00, 35.00, "sM"},         {0.00, 30.00, 20.00, 50.00, "sC"},
        {0.00, 10.00, 60.00, 30.00, "sZ"},         {0.00, 9.99, 60.01, 30.00, "Z"},
        {0.00, 5.00, 50.00, 45.00, "M"},           {0.00, 5.00, 30.00, 65.00, "C"}}) {
    SCOPED_TRACE(testing::Message() << gravel << " " << sand << " " << silt << " " << clay);
    const std::optional<FolkGroup> group = folkGroupOf(gravel, sand, silt, clay);
    ASSERT_TRUE(group);
    EXPECT_EQ(folkCode(*group), code);
  }
  // No group means anything for percentages a results file cannot hold.
  EXPECT_FALSE(folkGroupOf(1e300, 0, 0, 0));
  EXPECT_FALSE(folkGroupOf(50, -0.01, 30, 20));
}

}  // namespace
}  // namespace granomet
