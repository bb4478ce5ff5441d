// The archived samples as a table model: counted by the archive, fetched page by page, sorted by
// it.
#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <memory>
#include <vector>

#include "archive/archive.h"

namespace granomet {

// Holds the archive of the last listing, open, for its later pages and for the
// results files of its rows; a new listing opens it again, so that what was
// archived meanwhile is seen.
class ArchiveModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kPageSize = 300;

  // decimalMark: the regional mark, for the numbers shown.
  explicit ArchiveModel(char decimalMark, QObject* parent = nullptr);
  ~ArchiveModel() override;

  // The samples of archive the filter lets through, in the current order: counted,
  // and the first page read. Throws ArchiveError, leaving the model empty.
  void list(std::unique_ptr<Archive> archive, const ArchiveFilter& filter);
  // Empty, the archive let go.
  void clear();

  // The samples the filter lets through; rowCount() reaches it as pages are fetched.
  std::int64_t total() const { return total_; }
  const ArchivedSample& sampleAt(int row) const { return rows_[static_cast<std::size_t>(row)]; }
  const ArchiveSort& sorting() const { return sort_; }
  // Reads every row left, in one query (for a selection of every sample); a failure ends
  // the listing there (failed() says why).
  void fetchAll();
  // The samples of these rows as results files, from the listing's archive.
  // Throws ArchiveError.
  std::vector<ArchivedResultsFile> resultsFilesOf(const std::vector<int>& rows);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;
  // Lists again in the archive's order of that column; nothing sorted here.
  void sort(int column, Qt::SortOrder order) override;

 signals:
  // A page or a new order could not be read (UTF-8 reason of the archive's,
  // naming it); the rows read so far stay.
  void failed(const QString& reason);

 private:
  std::vector<ArchivedSample> nextPage(std::int64_t limit);
  // Adds the rows after those read, at most limit, telling the view.
  void fetch(std::int64_t limit);

  char decimalMark_;
  std::unique_ptr<Archive> archive_;
  ArchiveFilter filter_;
  ArchiveSort sort_;
  std::int64_t total_ = 0;
  std::vector<ArchivedSample> rows_;
};

}  // namespace granomet
