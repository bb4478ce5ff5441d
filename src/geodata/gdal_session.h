// GDAL made ready for one call of the program's, its own messages held back and kept for ours.
#pragma once

#include <string>

namespace granomet {

// While it lives, what GDAL would print goes nowhere; lastError() gives GDAL's last
// failure in its own words, for the program's message. Drivers are registered on
// first use (GDAL keeps them once for the process, as it must).
class GdalSession {
 public:
  GdalSession();
  ~GdalSession();
  GdalSession(const GdalSession&) = delete;
  GdalSession& operator=(const GdalSession&) = delete;

  std::string lastError() const;
};

}  // namespace granomet
