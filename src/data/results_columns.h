// The results file's columns: one description that its writer, its reader and the report share.
#pragma once

#include <array>
#include <string_view>

#include "data/size_classes.h"

namespace granomet {

// 1-based field numbers of a results line. The header line names the first 30 (kNamedColumns);
// from kFirstClassField on come the class weights, coarsest first, under their diameters.
inline constexpr int kLotNumberField = 1;  // the sample's order number in its lot
inline constexpr int kSampleNameField = 2;
inline constexpr int kCampaignField = 3;
inline constexpr int kIpField = 4;
inline constexpr int kLongitudeField = 5;
inline constexpr int kLatitudeField = 6;
inline constexpr int kDepthField = 7;
inline constexpr int kSubDepthField = 8;
inline constexpr int kCarbonateField = 9;
inline constexpr int kSamplingMethodField = 10;
inline constexpr int kDescriptionField = 11;
inline constexpr int kShepardField = 12;
inline constexpr int kLaserFileField = 13;
inline constexpr int kGravelField = 14;  // then sand, silt, clay and shells, in percent
inline constexpr int kSandField = 15;
inline constexpr int kSiltField = 16;
inline constexpr int kClayField = 17;
inline constexpr int kShellsField = 18;
inline constexpr int kMeanMicronField = 19;  // mean, sorting, skewness, kurtosis in µm
inline constexpr int kMeanPhiField = 23;     // the same four in phi
inline constexpr int kSampleNameAgainField = 27;
inline constexpr int kLabField = 28;
inline constexpr int kDateField = 29;
inline constexpr int kTotalWeightField = 30;  // headed "Peso\Diametro": the classes' table starts
inline constexpr int kFirstClassField = 31;   // the coarsest class's weight or diameter
inline constexpr int kResultsFields = kFirstClassField - 1 + kSizeClasses;
static_assert(kResultsFields == 98);

// The header's names of fields 1 to 30, in UTF-8 (the file holds them in Windows-1252).
inline constexpr std::array<std::string_view, kFirstClassField - 1> kNamedColumns = {
    "Lot-Num",        "Muestra",        "Campaña",          "IP",
    "Longº",          "Latº ",          "Prof(m)",          "SProf(cm)",
    "Carbonato%",     "Mét. Muestreo",  "Descrip. Visual",  "Clasif. Shepard(1954)",
    "Fichero-Laser",  "%Grava (>2mm)",  "%Arena(2mm-63µm)", "%Limo(63µm-4µm)",
    "%Arcilla(<4µm)", "%Bioclastos",    "µ-Media",          "µ-Clasificación",
    "µ-Asimetría",    "µ-Kurtosis",     "Ø-Media",          "Ø-Clasificación",
    "Ø-Asimetría",    "Ø-Kurtosis",     "Muestra",          "Lab",
    "Fecha",          "Peso\\Diametro",
};

}  // namespace granomet
