// A sample's depth below the sea floor in a core, as the lab writes it in "SProf(cm)".
#pragma once

#include <string_view>

namespace granomet {

// The interval a core's slice was cut from, in cm below the sea floor.
struct SubDepth {
  enum class Reading {
    Empty,      // nothing written: the sample is no level of a core, and nothing is wrong
    Read,       // topCm and bottomCm hold it
    Unreadable  // written, but not as below: never guessed
  };
  Reading reading = Reading::Empty;
  double topCm = 0;
  double bottomCm = 0;
};

// What is read, blanks around each figure and separator allowed: an interval "0-2",
// "0 - 2", "2,5-5", "2.5-5" (either decimal mark; a hyphen or an en dash between
// the figures, the bottom no shallower than the top); a single figure "10" (a slice
// at one depth, top = bottom); either followed by "cm" in any case; "superficial"
// or "sup." in any case (the surface, 0). Anything else (words, a sign, a bottom
// above the top) cannot be read.
SubDepth subDepthOf(std::string_view written);

}  // namespace granomet
