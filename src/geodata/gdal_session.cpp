#include "geodata/gdal_session.h"

#include <cpl_error.h>
#include <gdal.h>

namespace granomet {

GdalSession::GdalSession() {
  CPLPushErrorHandler(CPLQuietErrorHandler);
  CPLErrorReset();
  // Does nothing after its first call.
  GDALAllRegister();
}

GdalSession::~GdalSession() {
  CPLPopErrorHandler();
}

std::string GdalSession::lastError() const {
  const char* message = CPLGetLastErrorMsg();
  return message == nullptr ? std::string() : std::string(message);
}

}  // namespace granomet
