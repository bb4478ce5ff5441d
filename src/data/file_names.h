// The names the lot button derives from a chosen file: bare name, lot name, results name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "data/local_date_time.h"

namespace granomet {

// The part behind the last "/" or "\": the dialog gives Linux paths with "/",
// while lab files may carry names written on Windows.
std::string fileNamePart(std::string_view path);

// Everything before the last "."; nullopt for a name without one.
std::optional<std::string> lotNameOf(std::string_view fileName);

// lotName_ddmmyyyy_hhmmss.csv, taken from the clock's numbers rather than from
// regional date and time texts, so that the form never depends on the locale.
std::string proposedResultsName(std::string_view lotName, const LocalDateTime& time);

}  // namespace granomet
