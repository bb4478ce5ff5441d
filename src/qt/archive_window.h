// The "Archivo" window: every archived sample in a sortable table, filtered, counted, and sent to
// the main window.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "archive/archive.h"

namespace granomet {

class ArchiveSettings;

// What the main window does with the samples chosen: shows them as a run's
// (List1, curves, ternary diagram, lot's views, report).
using ShowArchivedSamples = std::function<void(std::vector<ArchivedResultsFile> files)>;

// Opens the archive of settings read-only at each search; a table fed page by page
// (model/view, lazy fetching) so that a large archive stays responsive.
class ArchiveWindow final : public QWidget {
  Q_OBJECT

 public:
  // decimalMark: the regional mark, for the table's numbers.
  ArchiveWindow(QWidget* parent, ArchiveSettings& settings, char decimalMark,
                ShowArchivedSamples show);
  ~ArchiveWindow() override;

  // Reads the archive again with the filters shown (after a run added to it).
  void refresh();
};

}  // namespace granomet
