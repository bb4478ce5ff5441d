// Why a file could not be written, in words: every cause the systems give, the
// file told from its folder, and no bare error number for any of them.
#include "workflow/messages.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "data/text_encoding.h"

namespace granomet {
namespace {

using Place = ResultsFileError::Place;

TEST(FileFailureCause, EveryCauseIsToldInWords) {
  const auto system = [](int error, Place place = Place::File) {
    return ResultsFileError(ResultsFileError::Stage::Create, error, place);
  };
  const struct {
    ResultsFileError error;
    const char* words;
  } causes[] = {
      {ResultsFileError(ResultsFileError::Refusal::ReadOnly), "el fichero es de solo lectura"},
      {ResultsFileError(ResultsFileError::Refusal::DeviceName), "Windows reserva ese nombre"},
      {system(EACCES), "no hay permiso para escribir en él"},
      {system(EACCES, Place::Folder), "no hay permiso para escribir en la carpeta"},
      {system(EROFS, Place::Folder), "la carpeta está en un disco de solo lectura"},
      {system(ENOENT, Place::Folder), "la carpeta no existe"},
      {system(ENOSPC), "el disco está lleno"},
      {system(EBUSY), "otro programa lo tiene abierto"},
      {system(ELOOP), "círculo de enlaces simbólicos"},
      {system(EINVAL), "el sistema no admite ese nombre"},
      {system(EEXIST, Place::Folder), "no se ha podido crear un fichero nuevo en la carpeta"},
      {system(ENAMETOOLONG), "el nombre es demasiado largo"},
      {system(EMFILE), "demasiados ficheros abiertos"},
  };
  for (const auto& cause : causes) {
    const std::string words = cp1252ToUtf8(messages::fileFailureCause(cause.error));
    EXPECT_NE(words.find(cause.words), std::string::npos) << words;
  }
}

}  // namespace
}  // namespace granomet
