// The lot seen whole: where each sample was taken, its cores, its Folk & Ward measures and its
// summary, as the report's pages and the window's lot views both show them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "statistics/folk_group.h"
#include "statistics/geo_point.h"
#include "workflow/results_set.h"

namespace granomet {

// What a sample's point is coloured by; Shepard's class unless the user chooses otherwise.
enum class MapColouring { Shepard, Folk, Mean };

// Every text is the program's 8-bit text (Windows-1252), as the report's.
struct LotViewSample {
  std::string label;  // its number, as the report's summary numbers it ("4", "LOTE12/4", "4b")
  std::string name;
  std::string lot;
  std::optional<GeoPoint> position;  // nullopt: empty, 0/0, or outside ±180/±90
  int shepardCode = 0;               // 1 to 10, 0 where the results line's class is unknown
  std::optional<FolkGroup> folkGroup;
  // Folk & Ward (1957), in phi.
  std::optional<double> meanPhi;
  std::optional<double> sortingPhi;
  std::optional<double> skewnessPhi;
  // Percent of the shell-free sample, as the results line has them; nullopt: no number.
  std::optional<double> gravel, sand, silt, clay;
  std::optional<double> depthMetres;
  std::string subDepth;  // "SProf(cm)" as the lot wrote it
};

// Samples at one place (within kStationToleranceMetres of each other, same lot): drawn
// once on the map, with their count when more than one.
struct MapStation {
  GeoPoint position;         // the first sample's
  std::vector<int> samples;  // indices into LotView::samples, in report order
};

// One level of a core: the sample and its depth below the sea floor, cm (top = bottom
// for a depth given as one figure; "superficial" is 0).
struct CoreLevel {
  int sample = 0;
  double topCm = 0;
  double bottomCm = 0;
};

// The samples of one station with sub-depths: at least two levels read.
struct SampleCore {
  std::string lot;
  GeoPoint position;
  std::vector<CoreLevel> levels;  // by depth, shallowest first
  std::vector<int> unreadDepths;  // samples of the station whose sub-depth cannot be read
};

struct LotView {
  std::vector<LotViewSample> samples;  // in the report's order
  std::vector<MapStation> stations;    // every sample with a position, each once
  std::vector<int> withoutPosition;    // listed under the map as "sin posición"
  std::vector<SampleCore> cores;       // in the order of their first sample
};

// The words of the lot's views, so that the drawing holds no text of its own.
struct LotViewWords {
  std::string mapTitle;         // "Mapa de muestras"
  std::string bivariateTitle;   // "Diagramas bivariantes"
  std::string summaryTitle;     // "Resumen del lote"
  std::string profileTitle;     // "Perfil en profundidad"
  std::string withoutPosition;  // heading of the samples listed under the map ("sin posición")
  std::string north, south, east, west;  // the graticule's hemisphere letters
  std::string northArrow;
  std::string metres, kilometres;  // the scale bar's units
  std::string stationCount;        // beside a point standing for several samples: %1
  std::string shepardLegend, folkLegend, meanLegend;  // what the colours say
  std::vector<std::string> shepardNames;              // by class code, 0 (unknown) to 10
  std::vector<std::string> folkNames;                 // by FolkGroup, as an int
  std::string meanAxis, sortingAxis, skewnessAxis;    // Folk & Ward, phi
  std::vector<std::string> meanTerms, sortingTerms, skewnessTerms;  // the bands' names, in order
  std::string depthAxis;                                            // cm, downwards
  std::string percentAxis;                                          // the stacked fractions
  std::string gravel, sand, silt, clay;
  std::string coreHeading;   // a core's profile: lot (%1), position (%2), levels (%3)
  std::string unreadDepths;  // the levels whose sub-depth cannot be read: their samples (%1)
};

LotViewWords lotViewWords();

// A place in degrees and minutes to a thousandth (about 2 m), as the core's heading
// and the map's graticule write it: "36°30,000' N 6°18,000' O" (the words' letters,
// the regional decimal mark).
std::string positionText(GeoPoint position, const LotViewWords& words, char decimalMark);
// One coordinate alone: "36°30,000' N"; the letters: positive, then negative.
std::string coordinateText(double degrees, std::string_view positive, std::string_view negative,
                           char decimalMark);

// Samples closer than this are taken at one station: the lab's positioning repeats a
// core's place to within a few metres.
inline constexpr double kStationToleranceMetres = 10;

// The samples of the results set in the report's order, labelled as the report labels them;
// lotName: the run's lot, empty where the results files' names tell it.
LotView lotViewOf(const ResultsSet& results, std::string_view lotName);

}  // namespace granomet
