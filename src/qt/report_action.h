// "Crear informe PDF…": asks where, then writes the last run's report and says how it went.
#pragma once

#include <QString>
#include <filesystem>

#include "data/tables.h"
#include "ui/platform.h"

class QWidget;

namespace granomet {

// The save dialog proposes the name beside the results file; an existing file is
// replaced only after a Yes (No is the default). Nothing happens on Cancel.
void createReport(QWidget* parent, const Tables& tables, const Platform& platform);

// The chosen name with ".pdf" added when it has no extension.
std::filesystem::path reportFileOf(const QString& chosen);

}  // namespace granomet
