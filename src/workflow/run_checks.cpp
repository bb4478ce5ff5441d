#include "workflow/run_checks.h"

#include <system_error>

#include "data/file_names.h"
#include "data/read_error.h"
#include "data/spaces.h"
#include "results/results_file.h"
#include "results/whole_file.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

namespace fs = std::filesystem;

// What a results name must not be. A character device (/dev/null) is written
// to harmlessly; a pipe would hold the program until someone read it.
FileKind forbiddenKind(const fs::path& path) {
  std::error_code error;
  if (fs::status(path, error).type() == fs::file_type::character) {
    return FileKind::Regular;
  }
  return fileKindOf(path);
}

// The lot and the export alike: gone, or no longer the bytes their button read.
std::optional<std::string> inputRefusal(messages::InputFile input, const fs::path& path,
                                        const ContentFingerprint& read) {
  const std::string name = displayName(path);
  try {
    if (stillHolds(path, read)) {
      return std::nullopt;
    }
  } catch (const ReadError&) {
    return messages::inputGone(input, name);
  }
  return messages::inputChanged(input, name);
}

}  // namespace

std::optional<std::string> refusalBeforeRun(const ChosenFiles& chosen,
                                            const std::string& resultsName,
                                            const fs::path& resultsPath) {
  if (trimmedSpaces(resultsName).empty()) {
    return messages::resultsNameMissing();
  }
  if (endsInSeparator(resultsName)) {
    return messages::resultsNameEndsInSeparator(resultsName);
  }
  if (const FileKind kind = forbiddenKind(resultsPath); kind != FileKind::Regular) {
    return messages::resultsNameIsNoFile(resultsName, kind);
  }
  const struct {
    messages::InputFile kind;
    const fs::path& path;
  } inputs[] = {{messages::InputFile::Lot, chosen.lot.path},
                {messages::InputFile::Export, chosen.exported.path}};
  for (const auto& input : inputs) {
    if (sameFile(resultsPath, input.path)) {
      return messages::resultsNameIsAnInput(resultsName, input.kind, displayName(input.path));
    }
  }
  // Refused before the question whether to replace it: Yes could not be carried out.
  if (const std::optional<ResultsFileError> refusal = refusalToWrite(resultsPath)) {
    return messages::resultsUnwritable(resultsName, *refusal);
  }
  // A new file needs a folder that takes it: found now rather than at the first sample.
  std::error_code error;
  if (!fs::exists(fs::symlink_status(resultsPath, error))) {
    if (const std::optional<ResultsFileError> refusal = refusalToCreateBeside(resultsPath)) {
      return messages::resultsUnwritable(resultsName, *refusal);
    }
  }
  if (auto refusal = inputRefusal(messages::InputFile::Lot, chosen.lot.path,
                                  fingerprintOf(chosen.lot.bytes))) {
    return refusal;
  }
  return inputRefusal(messages::InputFile::Export, chosen.exported.path,
                      chosen.exported.fingerprint);
}

bool resultsFileExists(const fs::path& resultsPath) {
  std::error_code error;
  return fs::is_regular_file(resultsPath, error);
}

}  // namespace granomet
