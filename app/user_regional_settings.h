// The regional settings the command-line programs follow: Qt's reading where Qt is built in.
#pragma once

#if GRANOMET_QT_REGIONAL
#include "qt/qt_regional_settings.h"
#else
#include "ui/system_regional_settings.h"
#endif

namespace granomet {

#if GRANOMET_QT_REGIONAL
using UserRegionalSettings = QtRegionalSettings;
#else
using UserRegionalSettings = SystemRegionalSettings;
#endif

}  // namespace granomet
