#include "qt/archive_model.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "results/number_format.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

constexpr int kColumns = static_cast<int>(ArchiveColumn::Current) + 1;

QString utf8(const std::string& text) {
  return QString::fromStdString(text);
}

QString shown(const std::optional<double>& value, NumberPattern pattern, char decimalMark) {
  return value ? utf8(patternNumber(*value, pattern, decimalMark)) : QString();
}

// The depth as the lot wrote it (0.25, 12.5), with the regional mark.
QString shownDepth(const std::optional<double>& depth, char decimalMark) {
  if (!depth) {
    return {};
  }
  std::string text = bareNumber(*depth);
  std::replace(text.begin(), text.end(), '.', decimalMark);
  return utf8(text);
}

// "2016-06-06T10:31:05" as the lab reads a day and time: "06/06/2016 10:31".
QString shownRunDate(const std::string& isoDateTime) {
  if (isoDateTime.size() < 16 || isoDateTime[4] != '-' || isoDateTime[10] != 'T') {
    return utf8(isoDateTime);
  }
  return utf8(isoDateTime.substr(8, 2) + "/" + isoDateTime.substr(5, 2) + "/" +
              isoDateTime.substr(0, 4) + " " + isoDateTime.substr(11, 5));
}

bool isNumberColumn(ArchiveColumn column) {
  switch (column) {
    case ArchiveColumn::Depth:
    case ArchiveColumn::MeanPhi:
    case ArchiveColumn::Gravel:
    case ArchiveColumn::Sand:
    case ArchiveColumn::Silt:
    case ArchiveColumn::Clay:
      return true;
    default:
      return false;
  }
}

}  // namespace

ArchiveModel::ArchiveModel(char decimalMark, QObject* parent)
    : QAbstractTableModel(parent), decimalMark_(decimalMark) {}

ArchiveModel::~ArchiveModel() = default;

void ArchiveModel::list(std::unique_ptr<Archive> archive, const ArchiveFilter& filter) {
  beginResetModel();
  archive_ = std::move(archive);
  filter_ = filter;
  total_ = 0;
  rows_.clear();
  try {
    total_ = archive_->countSamples(filter_);
    rows_ = nextPage(kPageSize);
  } catch (...) {
    archive_.reset();
    total_ = 0;
    rows_.clear();
    endResetModel();
    throw;
  }
  endResetModel();
}

void ArchiveModel::clear() {
  beginResetModel();
  archive_.reset();
  total_ = 0;
  rows_.clear();
  endResetModel();
}

// The page after the rows read. A page shorter than asked (samples gone from the
// archive meanwhile) ends the listing there.
std::vector<ArchivedSample> ArchiveModel::nextPage(std::int64_t limit) {
  const auto have = static_cast<std::int64_t>(rows_.size());
  const std::int64_t want = std::min<std::int64_t>(limit, total_ - have);
  if (!archive_ || want <= 0) {
    return {};
  }
  std::vector<ArchivedSample> page = archive_->samples(filter_, sort_, have, want);
  if (static_cast<std::int64_t>(page.size()) < want) {
    total_ = have + static_cast<std::int64_t>(page.size());
  }
  if (static_cast<std::int64_t>(page.size()) > want) {
    page.resize(static_cast<std::size_t>(want));
  }
  return page;
}

// In one query: every page asked apart would make the archive sort and skip the
// rows before it again.
void ArchiveModel::fetchAll() {
  fetch(total_);
}

std::vector<ArchivedResultsFile> ArchiveModel::resultsFilesOf(const std::vector<int>& rows) {
  if (!archive_ || rows.empty()) {
    return {};
  }
  std::vector<std::int64_t> ids;
  ids.reserve(rows.size());
  for (const int row : rows) {
    ids.push_back(sampleAt(row).id);
  }
  return archive_->resultsFilesOf(ids);
}

int ArchiveModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ArchiveModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant ArchiveModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) {
    return {};
  }
  const auto column = static_cast<ArchiveColumn>(index.column());
  if (role == Qt::TextAlignmentRole) {
    return isNumberColumn(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
  }
  const ArchivedSample& sample = sampleAt(index.row());
  // The lab's long names are cut to the column's width.
  if (role == Qt::ToolTipRole && column == ArchiveColumn::Sample) {
    return utf8(sample.name);
  }
  if (role != Qt::DisplayRole) {
    return {};
  }
  using messages::ArchiveWindowText;
  switch (column) {
    case ArchiveColumn::Lot:
      return utf8(sample.lot);
    case ArchiveColumn::LotNumber:
      return utf8(sample.lotNumber);
    case ArchiveColumn::Sample:
      return utf8(sample.name);
    case ArchiveColumn::Campaign:
      return utf8(sample.campaign);
    case ArchiveColumn::Depth:
      return shownDepth(sample.depth, decimalMark_);
    case ArchiveColumn::Shepard:
      return utf8(shepardShown(sample.shepard));
    case ArchiveColumn::Folk:
      return utf8(sample.folkCode);
    case ArchiveColumn::MeanPhi:
      return shown(sample.meanPhi, kPatternThreeDecimals, decimalMark_);
    case ArchiveColumn::Gravel:
      return shown(sample.gravel, {1, 2}, decimalMark_);
    case ArchiveColumn::Sand:
      return shown(sample.sand, {1, 2}, decimalMark_);
    case ArchiveColumn::Silt:
      return shown(sample.silt, {1, 2}, decimalMark_);
    case ArchiveColumn::Clay:
      return shown(sample.clay, {1, 2}, decimalMark_);
    case ArchiveColumn::RunDate:
      return shownRunDate(sample.runDateTime);
    case ArchiveColumn::Current:
      return utf8(messages::archiveWindowText(sample.current ? ArchiveWindowText::Yes
                                                             : ArchiveWindowText::No));
  }
  return {};
}

QVariant ArchiveModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const auto& titles = messages::archiveColumnTitles();
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
      section < static_cast<int>(titles.size())) {
    return utf8(titles[static_cast<std::size_t>(section)]);
  }
  return QAbstractTableModel::headerData(section, orientation, role);
}

bool ArchiveModel::canFetchMore(const QModelIndex& parent) const {
  return !parent.isValid() && archive_ && static_cast<std::int64_t>(rows_.size()) < total_;
}

void ArchiveModel::fetchMore(const QModelIndex& parent) {
  if (canFetchMore(parent)) {
    fetch(kPageSize);
  }
}

void ArchiveModel::fetch(std::int64_t limit) {
  std::vector<ArchivedSample> page;
  try {
    page = nextPage(limit);
  } catch (const ArchiveError& error) {
    // The listing stops at the rows read, which stay to be chosen.
    total_ = static_cast<std::int64_t>(rows_.size());
    emit failed(utf8(error.what()));
    return;
  }
  if (page.empty()) {
    return;
  }
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(page.size()) - 1);
  std::move(page.begin(), page.end(), std::back_inserter(rows_));
  endInsertRows();
}

void ArchiveModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column >= kColumns) {
    return;
  }
  const ArchiveSort wanted{static_cast<ArchiveColumn>(column), order == Qt::DescendingOrder};
  if (wanted.column == sort_.column && wanted.descending == sort_.descending) {
    return;
  }
  sort_ = wanted;
  if (!archive_) {
    return;
  }
  beginResetModel();
  rows_.clear();
  try {
    total_ = archive_->countSamples(filter_);
    rows_ = nextPage(kPageSize);
  } catch (const ArchiveError& error) {
    rows_.clear();
    total_ = 0;
    archive_.reset();
    endResetModel();
    emit failed(utf8(error.what()));
    return;
  }
  endResetModel();
}

}  // namespace granomet
