// How the report and the lot's views name each sample of results files: its lot and its label.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "workflow/results_set.h"

namespace granomet {

// The lot a results file holds: lotName (the run's) where given; else the one its
// name tells, from the name the program proposes (LOT_ddmmyyyy_hhmmss.csv); any
// other name stands for itself, without its extension.
std::string lotOfResultsFile(std::string_view fileName, std::string_view lotName);

// The lots the files hold, each once, in the order of the files.
std::vector<std::string> lotsOf(const ResultsSet& results, std::string_view lotName);

// Every sample's label, in the order of the files and their lines: its order number
// in its lot (the results line's first field), after its lot's name and a slash
// where the files hold several lots ("LOTE12/3"). A label met again (two files of
// one lot) takes a letter after it, from b ("3b", "3c"... "3z", "3aa"), so that
// every label names one sample.
std::vector<std::string> sampleLabels(const ResultsSet& results, std::string_view lotName);

}  // namespace granomet
