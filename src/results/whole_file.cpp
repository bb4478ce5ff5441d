#include "results/whole_file.h"

#include <cerrno>
#include <exception>
#include <string>
#include <system_error>

#include "data/system_file.h"
#include "results/results_file.h"

namespace granomet {
namespace fs = std::filesystem;
namespace {

// Small pieces (a PDF writer's) reach the system in blocks of this size.
constexpr std::size_t kBlock = std::size_t{1} << 20;

// Opens a new file in the target's folder under a short name nothing else uses:
// a name derived from the target's could outgrow the longest name a folder takes.
int createBeside(const fs::path& target, fs::path& created, bool ownerOnly) {
  const std::string stem = ".granomet-" + std::to_string(currentProcessId()) + "-";
  for (int attempt = 0;; ++attempt) {
    created = target;
    created.replace_filename(stem + std::to_string(attempt) + ".tmp");
    const int descriptor = openToWrite(created, true, ownerOnly);
    if (descriptor >= 0 || errno != EEXIST || attempt == 100) {
      return descriptor;
    }
  }
}

void writeOrThrow(int descriptor, std::string_view bytes) {
  if (const int error = writeAll(descriptor, bytes); error != 0) {
    throw ResultsFileError(ResultsFileError::Stage::Write, error);
  }
}

}  // namespace

std::optional<ResultsFileError> refusalToCreateBeside(const fs::path& path) {
  fs::path created;
  const int descriptor = createBeside(path, created, true);
  if (descriptor < 0) {
    return ResultsFileError(ResultsFileError::Stage::Create, errno,
                            ResultsFileError::Place::Folder);
  }
  closeDescriptor(descriptor);
  std::error_code ignored;
  fs::remove(created, ignored);
  return std::nullopt;
}

void WholeFileSink::write(std::string_view bytes) {
  if (pending_.size() + bytes.size() < kBlock) {
    pending_ += bytes;
    return;
  }
  flush();
  if (bytes.size() >= kBlock) {
    writeOrThrow(descriptor_, bytes);
    written_ += static_cast<long long>(bytes.size());
  } else {
    pending_ = bytes;
  }
}

void WholeFileSink::flush() {
  writeOrThrow(descriptor_, pending_);
  written_ += static_cast<long long>(pending_.size());
  pending_.clear();
}

namespace {

// The file a write replaces: a link is followed. Throws where it may not be written.
fs::path writableTarget(const fs::path& path) {
  std::error_code error;
  fs::path target = path;
  if (fs::is_symlink(path, error)) {
    target = fs::canonical(path, error);
    if (error) {
      throw ResultsFileError(ResultsFileError::Stage::Create, error.value());
    }
  }
  if (std::optional<ResultsFileError> refusal = refusalToWrite(target)) {
    throw *refusal;
  }
  return target;
}

// A new folder beside the target, for the owner alone, named as createBeside names files.
fs::path folderBeside(const fs::path& target) {
  const std::string stem = ".granomet-" + std::to_string(currentProcessId()) + "-";
  for (int attempt = 0;; ++attempt) {
    fs::path folder = target;
    folder.replace_filename(stem + std::to_string(attempt) + ".tmp");
    if (createOwnFolder(folder)) {
      return folder;
    }
    if (errno != EEXIST || attempt == 100) {
      throw ResultsFileError(ResultsFileError::Stage::Create, errno,
                             ResultsFileError::Place::Folder);
    }
  }
}

}  // namespace

bool writeWholeFileBy(const fs::path& path, const WholeFileWriter& write) {
  const fs::path target = writableTarget(path);
  const std::optional<FileProtection> old = protectionAt(target);
  const fs::path folder = folderBeside(target);
  const auto abandon = [&folder] {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  };
  fs::path made = folder / "nuevo";
  made += target.extension();
  try {
    if (!write(made)) {
      abandon();
      return false;
    }
    // A new file keeps the writer's own protection, which the folder hid till now.
    if (old) {
      const int descriptor = openToRead(made);
      if (descriptor < 0) {
        throw ResultsFileError(ResultsFileError::Stage::Write, errno);
      }
      const bool protectedLike = protectLike(descriptor, *old);
      const int systemError = errno;
      closeDescriptor(descriptor);
      if (!protectedLike) {
        throw ResultsFileError(ResultsFileError::Stage::Create, systemError,
                               ResultsFileError::Place::Folder);
      }
    }
    if (!renameOver(made, target)) {
      throw ResultsFileError(ResultsFileError::Stage::Write, errno);
    }
  } catch (...) {
    abandon();
    throw;
  }
  abandon();
  return true;
}

bool writeWholeFile(const fs::path& path, const WholeFileMaker& make) {
  std::error_code error;
  const fs::path target = writableTarget(path);
  // The new file is readable by its owner alone until it has the old one's protection.
  const std::optional<FileProtection> old = protectionAt(target);
  fs::path created;
  const int descriptor = createBeside(target, created, old.has_value());
  if (descriptor < 0) {
    throw ResultsFileError(ResultsFileError::Stage::Create, errno, ResultsFileError::Place::Folder);
  }
  // Whatever stops the content short, the new file goes and the old one stays.
  const auto abandon = [&created, descriptor] {
    closeDescriptor(descriptor);
    std::error_code ignored;
    fs::remove(created, ignored);
  };
  try {
    if (old && !protectLike(descriptor, *old)) {
      throw ResultsFileError(ResultsFileError::Stage::Create, errno,
                             ResultsFileError::Place::Folder);
    }
    WholeFileSink sink(descriptor);
    if (!make(sink)) {
      abandon();
      return false;
    }
    sink.flush();
  } catch (...) {
    abandon();
    throw;
  }
  if (closeDescriptor(descriptor) != 0 && errno != EINTR) {
    const int systemError = errno;
    fs::remove(created, error);
    throw ResultsFileError(ResultsFileError::Stage::Write, systemError);
  }
  if (!renameOver(created, target)) {
    const int systemError = errno;
    fs::remove(created, error);
    throw ResultsFileError(ResultsFileError::Stage::Write, systemError);
  }
  return true;
}

void writeWholeFile(const fs::path& path, std::string_view bytes) {
  writeWholeFile(path, [bytes](WholeFileSink& sink) {
    sink.write(bytes);
    return true;
  });
}

}  // namespace granomet
