#include "workflow/run_checks.h"

#include <system_error>

#include "data/read_error.h"
#include "data/spaces.h"
#include "data/text_encoding.h"

namespace granomet {
namespace {

namespace fs = std::filesystem;

// What a results name must not be, in UTF-8. A character device (/dev/null) is
// written to harmlessly; a pipe would hold the program until someone read it.
std::optional<std::string> forbiddenKind(const fs::path& path) {
  std::error_code error;
  if (fs::status(path, error).type() == fs::file_type::character) {
    return std::nullopt;
  }
  const std::string kind = otherFileKind(path);
  if (kind.empty()) {
    return std::nullopt;
  }
  return cp1252ToUtf8(kind);
}

bool sameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return !b.empty() && fs::equivalent(a, b, error) && !error;
}

std::string displayName(const fs::path& path) {
  return path.filename().string();
}

std::optional<std::string> lotRefusal(const ChosenLot& lot) {
  const std::string name = displayName(lot.path);
  try {
    if (readInputFile(lot.path) == lot.bytes) {
      return std::nullopt;
    }
  } catch (const ReadError&) {
    return "El fichero de lote " + name +
           " ya no está o no se puede leer. Ábralo de nuevo con el botón del lote.";
  }
  return "El fichero de lote " + name +
         " ha cambiado desde que se abrió. Ábralo de nuevo con el botón del lote.";
}

std::optional<std::string> exportRefusal(const ChosenExport& exported) {
  const std::string name = displayName(exported.path);
  const std::optional<FileStamp> now = stampOf(exported.path);
  if (!now) {
    return "El fichero de exportación " + name +
           " ya no está o no se puede leer. Ábralo de nuevo con el botón de exportación.";
  }
  if (!exported.stamp || *now != *exported.stamp) {
    return "El fichero de exportación " + name +
           " ha cambiado desde que se abrió. Ábralo de nuevo con el botón de exportación.";
  }
  return std::nullopt;
}

std::optional<std::string> utf8Refusal(const ChosenFiles& chosen, const std::string& resultsName,
                                       const fs::path& resultsPath) {
  const std::string results = cp1252ToUtf8(resultsName);
  if (trimmedSpaces(resultsName).empty()) {
    return std::string(
        "Falta el nombre del fichero de resultados: escríbalo en «Fichero de salida».");
  }
  if (const auto kind = forbiddenKind(resultsPath)) {
    return "No se puede crear el fichero de resultados " + results + ": ese nombre es " + *kind +
           ".";
  }
  const struct {
    const char* kind;
    const fs::path& path;
  } inputs[] = {{"lote", chosen.lot.path}, {"exportación", chosen.exported.path}};
  for (const auto& input : inputs) {
    if (sameFile(resultsPath, input.path)) {
      return "El fichero de resultados " + results + " es el fichero de " + input.kind + " " +
             displayName(input.path) +
             ": los resultados lo borrarían. Elija otro nombre para el fichero de resultados.";
    }
  }
  if (auto refusal = lotRefusal(chosen.lot)) {
    return refusal;
  }
  return exportRefusal(chosen.exported);
}

}  // namespace

std::optional<std::string> refusalBeforeRun(const ChosenFiles& chosen,
                                            const std::string& resultsName,
                                            const fs::path& resultsPath) {
  if (auto refusal = utf8Refusal(chosen, resultsName, resultsPath)) {
    return utf8ToCp1252(*refusal);
  }
  return std::nullopt;
}

bool resultsFileExists(const fs::path& resultsPath) {
  std::error_code error;
  return fs::is_regular_file(resultsPath, error);
}

}  // namespace granomet
