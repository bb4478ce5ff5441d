// The names the lot button derives from a chosen file: bare name, lot name, results name.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "data/local_date_time.h"

namespace granomet {

// The part behind the last "/" or "\": the dialog gives Linux paths with "/",
// while lab files may carry names written on Windows.
std::string fileNamePart(std::string_view path);

// A file name typed into the window, as a path: the 8-bit text in the system's
// UTF-8. Paths that come from a dialog or the command line never go through text.
std::filesystem::path typedPath(std::string_view programText);

// A path's name in UTF-8 and back, whatever the platform's own path type (wide on
// Windows, where a path made from a narrow string would take the ANSI code page).
std::string utf8Of(const std::filesystem::path& path);
std::filesystem::path pathOfUtf8(std::string_view utf8);

// A path in the program's 8-bit text, as the window shows it: characters the
// text cannot hold become "?", the file is still opened by its path.
std::string pathText(const std::filesystem::path& path);
// The file's bare name in the program's 8-bit text.
std::string displayName(const std::filesystem::path& path);

// Whether Windows takes the file name for a device rather than a file: CON, PRN,
// AUX, NUL, CONIN$, CONOUT$, COM0 to COM9 and LPT0 to LPT9 (also with ¹, ² or ³),
// in any case, with any extension and blanks before it. What is written there
// reaches no file.
bool isDeviceName(const std::filesystem::path& path);
// Outputs refuse such names on Windows only: elsewhere nul.csv is a file like any other.
#ifdef _WIN32
inline constexpr bool kDeviceNamesRefused = true;
#else
inline constexpr bool kDeviceNamesRefused = false;
#endif

// A results name typed into «Fichero de salida», as it is taken: without the
// blanks before and after it and without dots and blanks at its end, which Windows
// drops from a name (there "LOTE12.csv. " is the lot LOTE12.csv itself).
std::string typedResultsName(std::string_view programText);

// Whether a typed name ends in a path separator ("/", and "\" on Windows), so
// that it names a folder rather than a file.
bool endsInSeparator(std::string_view programText);

// Whether Windows takes two paths for one name: each part compared without the
// dots and blanks at its end and without case (the letters of ASCII and of
// Latin-1, those of the lab's names). Tested everywhere, used on Windows only.
bool sameNameOnWindows(const std::filesystem::path& a, const std::filesystem::path& b);

// Everything before the last "."; nullopt for a name without one.
std::optional<std::string> lotNameOf(std::string_view fileName);

// lotName_ddmmyyyy_hhmmss.csv, taken from the clock's numbers rather than from
// regional date and time texts, so that the form never depends on the locale.
std::string proposedResultsName(std::string_view lotName, const LocalDateTime& time);

}  // namespace granomet
