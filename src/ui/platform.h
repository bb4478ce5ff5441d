// What the work flow takes from the platform: the clock, the regional settings, the current folder.
#pragma once

#include <filesystem>
#include <string_view>

#include "data/local_date_time.h"

namespace granomet {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime now() const = 0;
};

class RegionalSettings {
 public:
  virtual ~RegionalSettings() = default;
  // The user's decimal mark, '.' or ','; conversions that follow the regional
  // settings are done with it in the core.
  virtual char decimalMark() const = 0;
};

// The folder against which file names without a folder are resolved. Choosing a
// file in the dialog changes it; the process's own working directory is never
// touched.
class CurrentFolder {
 public:
  virtual ~CurrentFolder() = default;
  virtual std::filesystem::path path() const = 0;
  virtual void change(const std::filesystem::path& folder) = 0;
  // A relative name is taken from the current folder; an absolute one stays.
  virtual std::filesystem::path resolve(const std::filesystem::path& name) const = 0;
};

struct Platform {
  const Clock& clock;
  const RegionalSettings& regional;
  const CurrentFolder& folder;
};

}  // namespace granomet
