// "Crear informe PDF…": asks where, then writes the report of the samples shown and says how it
// went.
#pragma once

#include <QString>
#include <filesystem>

#include "ui/platform.h"
#include "workflow/shown_results.h"

class QWidget;

namespace granomet {

// The save dialog proposes the name beside the file the samples are named after; an
// existing file is replaced only after a Yes (No is the default). Nothing happens on
// Cancel.
void createReport(QWidget* parent, const ShownResults& shown, const Platform& platform);

// The chosen name with ".pdf" added when it has no extension.
std::filesystem::path reportFileOf(const QString& chosen);

}  // namespace granomet
