#include "results/whole_file.h"

#include <cerrno>
#include <string>
#include <system_error>

#include "data/system_file.h"
#include "results/results_file.h"

namespace granomet {
namespace fs = std::filesystem;
namespace {

// Opens a new file next to the target, under a name nothing else uses.
int createBeside(const fs::path& target, fs::path& created) {
  for (int attempt = 0;; ++attempt) {
    created = target;
    created += ".nuevo" + std::to_string(currentProcessId()) + "_" + std::to_string(attempt);
    const int descriptor = openToWrite(created, true);
    if (descriptor >= 0 || errno != EEXIST || attempt == 100) {
      return descriptor;
    }
  }
}

void fail(ResultsFileError::Stage stage, int systemError, const fs::path& created) {
  std::error_code ignored;
  fs::remove(created, ignored);
  throw ResultsFileError(stage, systemError);
}

}  // namespace

void writeWholeFile(const fs::path& path, std::string_view bytes) {
  std::error_code error;
  fs::path target = path;
  if (fs::is_symlink(path, error)) {
    target = fs::canonical(path, error);
    if (error) {
      throw ResultsFileError(ResultsFileError::Stage::Create, error.value());
    }
  }
  fs::path created;
  const int descriptor = createBeside(target, created);
  if (descriptor < 0) {
    throw ResultsFileError(ResultsFileError::Stage::Create, errno);
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const long long written = writeSome(descriptor, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      const int systemError = written < 0 ? errno : EIO;
      closeDescriptor(descriptor);
      fail(ResultsFileError::Stage::Write, systemError, created);
    }
    done += static_cast<std::size_t>(written);
  }
  if (closeDescriptor(descriptor) != 0 && errno != EINTR) {
    fail(ResultsFileError::Stage::Write, errno, created);
  }
  fs::rename(created, target, error);
  if (error) {
    fail(ResultsFileError::Stage::Write, error.value(), created);
  }
}

}  // namespace granomet
