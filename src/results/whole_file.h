// Writing a derived file whole: the new content appears at once, or the old file stays as it was.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "results/results_file.h"

namespace granomet {

// The new content of a file being written whole, taken piece by piece and passed
// on to the system in large blocks. Throws ResultsFileError with the system's
// error where a block cannot be written.
class WholeFileSink {
 public:
  explicit WholeFileSink(int descriptor) : descriptor_(descriptor) {}
  WholeFileSink(const WholeFileSink&) = delete;
  WholeFileSink& operator=(const WholeFileSink&) = delete;

  void write(std::string_view bytes);
  // What is still held is written.
  void flush();
  long long written() const { return written_; }

 private:
  int descriptor_;
  std::string pending_;
  long long written_ = 0;
};

// Makes the new content. False gives up (a cancelled or failed drawing): the
// file keeps its old content, and the partly written new one is removed.
using WholeFileMaker = std::function<bool(WholeFileSink& sink)>;

// Written to a new file beside `path`, then renamed over it, so a failure (a full
// disk, a missing folder) never leaves a partial table nor spoils the previous
// one. A link is followed: the file it points to is replaced. Throws
// ResultsFileError with the system's error; false when `make` gave up.
bool writeWholeFile(const std::filesystem::path& path, const WholeFileMaker& make);
void writeWholeFile(const std::filesystem::path& path, std::string_view bytes);

// Makes the new content with a writer of its own (a library that creates its file
// itself) at `made`, a name of the same extension in a folder of its own beside the
// target, readable by its owner alone. False gives up.
using WholeFileWriter = std::function<bool(const std::filesystem::path& made)>;

// As writeWholeFile: the file made is given the old one's protection and renamed over
// it, or removed with its folder (and whatever else the writer left there) while the
// old one stays as it was.
bool writeWholeFileBy(const std::filesystem::path& path, const WholeFileWriter& write);

// Whether a new file can be made where `path` would be: one is created beside it
// and removed again, named as writeWholeFile names its own, since only trying
// tells (root writes through any mode, a shared folder may refuse what its mode
// allows). nullopt, or the system's error about the folder.
std::optional<ResultsFileError> refusalToCreateBeside(const std::filesystem::path& path);

}  // namespace granomet
