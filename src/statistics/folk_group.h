// Folk's (1954) textural group of a sample from its gravel, sand, silt and clay percentages.
#pragma once

#include <optional>
#include <string_view>

namespace granomet {

// In the order of Folk's two triangles: gravel-sand-mud, then sand-silt-clay for
// samples with no more than a trace of gravel.
enum class FolkGroup {
  Gravel,                     // G
  SandyGravel,                // sG
  MuddySandyGravel,           // msG
  MuddyGravel,                // mG
  GravellySand,               // gS
  GravellyMuddySand,          // gmS
  GravellyMud,                // gM
  SlightlyGravellySand,       // (g)S
  SlightlyGravellyMuddySand,  // (g)mS
  SlightlyGravellySandyMud,   // (g)sM
  SlightlyGravellyMud,        // (g)M
  Sand,                       // S
  SiltySand,                  // zS
  MuddySand,                  // mS
  ClayeySand,                 // cS
  SandySilt,                  // sZ
  SandyMud,                   // sM
  SandyClay,                  // sC
  Silt,                       // Z
  Mud,                        // M
  Clay,                       // C
};

// Percentages of the whole sample, as the results file gives them (to hundredths).
// A sample on a boundary belongs to the coarser group. nullopt when a percentage
// lies outside 0 to 100, where no group means anything.
std::optional<FolkGroup> folkGroupOf(double gravel, double sand, double silt, double clay);

// At least Folk's trace of gravel, 0.01 %, compared as folkGroupOf compares it.
bool holdsGravel(double gravelPercent);

// Folk's own letters: "G", "msG", "(g)sM", "cS"...
std::string_view folkCode(FolkGroup group);

}  // namespace granomet
