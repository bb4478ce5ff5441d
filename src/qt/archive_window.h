// The "Archivo" window: every archived sample in a sortable table, filtered, counted, and sent to
// the main window.
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "archive/archive.h"
#include "qt/archive_settings.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace granomet {

class ArchiveFilterFields;
class ArchiveModel;

// What the main window does with the samples chosen: shows them as a run's
// (List1, curves, ternary diagram, lot's views, report).
using ShowArchivedSamples = std::function<void(std::vector<ArchivedResultsFile> files)>;

// Opens the archive at a path for a listing; the program's opens it read-only.
using ArchiveOpener = std::function<std::unique_ptr<Archive>(const std::filesystem::path&)>;

// Where the window's archive is and whether each run goes into it: the program's
// settings, or a test's own.
struct ArchivePlace {
  std::function<std::filesystem::path()> path;
  std::function<void(const std::filesystem::path&)> setPath;
  std::function<bool()> archivesRuns;
  std::function<void(bool)> setArchivesRuns;
};

inline ArchivePlace archivePlaceOf(ArchiveSettings& settings) {
  return {[&settings] { return settings.archivePath(); },
          [&settings](const std::filesystem::path& path) { settings.setArchivePath(path); },
          [&settings] { return settings.archivesRuns(); },
          [&settings](bool on) { settings.setArchivesRuns(on); }};
}

// openArchive read-only: a missing archive is said, never created.
std::unique_ptr<Archive> openArchiveToRead(const std::filesystem::path& path);

// Opens the archive at each search and keeps it open for that listing's later
// pages and for the samples sent to the main window; a table fed page by page
// (model/view, lazy fetching) so that a large archive stays responsive.
class ArchiveWindow final : public QWidget {
  Q_OBJECT

 public:
  // decimalMark: the regional mark, for the table's numbers.
  ArchiveWindow(QWidget* parent, ArchiveSettings& settings, char decimalMark,
                ShowArchivedSamples show)
      : ArchiveWindow(parent, archivePlaceOf(settings), decimalMark, std::move(show),
                      openArchiveToRead) {}
  ArchiveWindow(QWidget* parent, ArchivePlace place, char decimalMark, ShowArchivedSamples show,
                ArchiveOpener open);
  ~ArchiveWindow() override;

  // Reads the archive again with the filters shown (after a run added to it); a
  // filter that does not read is said and nothing is read.
  void refresh();

  ArchiveModel& model() { return *model_; }
  QTableView& table() { return *table_; }
  // The selected rows, in the table's order.
  std::vector<int> selectedRows() const;
  // Every sample the filter lets through, read to the end, selected.
  void selectAll();
  // Sends the selected samples to the main window.
  void showSelected();

 private:
  void chooseArchive();
  void showPlace();
  void showCount();
  void showSelection();
  void sayProblem(const QString& problem);

  ArchivePlace place_;
  ArchiveOpener open_;
  ShowArchivedSamples show_;
  ArchiveModel* model_;
  ArchiveFilterFields* fields_;
  QTableView* table_;
  QLabel* placeLabel_;
  QCheckBox* archivesRuns_;
  QLabel* count_;
  QLabel* problem_;
  QLabel* selected_;
  QPushButton* showButton_;
  bool columnsFitted_ = false;
};

}  // namespace granomet
