// What must hold before a calculation writes anything: a results name that harms no file, and
// inputs that are still the files their buttons read.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "data/chosen_files.h"

namespace granomet {

// Why the calculation must not start, as a message in the program's 8-bit text,
// or nullopt. resultsName: the results file's name as the user gave it;
// resultsPath: where it resolves. Refused: a missing name; a folder, pipe, socket
// or disk device, or a name ending in a separator; the lot or the export itself,
// however it is spelt or linked; a read-only file or a device's name on Windows
// (refusalToWrite); a new file in a folder that is missing or does not take one
// (refusalToCreateBeside); a
// lot or an export whose bytes are no longer those its button read.
std::optional<std::string> refusalBeforeRun(const ChosenFiles& chosen,
                                            const std::string& resultsName,
                                            const std::filesystem::path& resultsPath);

// True when the results path names a regular file that a run would replace.
bool resultsFileExists(const std::filesystem::path& resultsPath);

}  // namespace granomet
