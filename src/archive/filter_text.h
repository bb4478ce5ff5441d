// The archive's filters as the command line and the window's fields write them.
#pragma once

#include <optional>
#include <string_view>

#include "archive/archive.h"
#include "data/local_date_time.h"

namespace granomet {

struct DepthRange {
  std::optional<double> min;
  std::optional<double> max;
};

// "MIN:MAX" in metres, either end left out ("50:", ":20"), either decimal mark;
// nullopt for anything else, or a minimum above the maximum.
std::optional<DepthRange> depthRangeOf(std::string_view text);

// "LON1,LAT1,LON2,LAT2" in degrees with decimal points (blanks allowed around
// each): two opposite corners in any order; nullopt for anything else, a place off the
// Earth, or a zone without width or height.
std::optional<GeoBox> zoneOf(std::string_view text);

// A day as "2016-06-06" or "06/06/2016" (also "6/6/2016"); nullopt for anything
// else or a day the calendar has not.
std::optional<LocalDateTime> filterDateOf(std::string_view text);

}  // namespace granomet
