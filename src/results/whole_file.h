// Writing a derived file whole: the new content appears at once, or the old file stays as it was.
#pragma once

#include <filesystem>
#include <string_view>

namespace granomet {

// Written to a new file beside `path`, then renamed over it, so a failure (a full
// disk, a missing folder) never leaves a partial table nor spoils the previous
// one. A link is followed: the file it points to is replaced. Throws
// ResultsFileError with the system's error.
void writeWholeFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace granomet
