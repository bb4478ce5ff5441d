#include "qt/archive_window.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "archive/open_archive.h"
#include "qt/archive_filter_fields.h"
#include "qt/archive_model.h"
#include "qt/qt_file_dialog.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

using messages::ArchiveWindowText;

QString said(ArchiveWindowText text) {
  return QString::fromStdString(messages::archiveWindowText(text));
}

}  // namespace

std::unique_ptr<Archive> openArchiveToRead(const std::filesystem::path& path) {
  return openArchive(path, ArchiveAccess::Read);
}

ArchiveWindow::ArchiveWindow(QWidget* parent, ArchivePlace place, char decimalMark,
                             ShowArchivedSamples show, ArchiveOpener open)
    : QWidget(parent, Qt::Window),
      place_(std::move(place)),
      open_(std::move(open)),
      show_(std::move(show)),
      model_(new ArchiveModel(decimalMark, this)) {
  setObjectName("archiveWindow");
  setWindowTitle(said(ArchiveWindowText::Title));

  placeLabel_ = new QLabel(this);
  placeLabel_->setObjectName("place");
  placeLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* choose = new QPushButton(said(ArchiveWindowText::ChooseArchive), this);
  choose->setObjectName("chooseArchive");
  archivesRuns_ = new QCheckBox(said(ArchiveWindowText::ArchivesRuns), this);
  archivesRuns_->setObjectName("archivesRuns");
  auto* placeRow = new QHBoxLayout;
  placeRow->addWidget(placeLabel_, 1);
  placeRow->addWidget(choose);
  placeRow->addWidget(archivesRuns_);

  fields_ = new ArchiveFilterFields(this);
  auto* search = new QPushButton(said(ArchiveWindowText::Search), this);
  search->setObjectName("search");
  search->setDefault(true);
  auto* fieldsRow = new QHBoxLayout;
  fieldsRow->addWidget(fields_, 1);
  fieldsRow->addWidget(search, 0, Qt::AlignBottom);

  count_ = new QLabel(this);
  count_->setObjectName("count");
  problem_ = new QLabel(this);
  problem_->setObjectName("problem");
  problem_->setWordWrap(true);
  problem_->setStyleSheet("color: #b00000;");
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(count_);
  countRow->addWidget(problem_, 1);

  table_ = new QTableView(this);
  table_->setObjectName("samples");
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setAlternatingRowColors(true);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setHighlightSections(false);
  // Clicking a header lists again in the archive's order; the indicator starts at
  // the archive's own first order, by lot.
  table_->horizontalHeader()->setSortIndicator(static_cast<int>(model_->sorting().column),
                                               Qt::AscendingOrder);
  table_->setSortingEnabled(true);

  auto* selectAll = new QPushButton(said(ArchiveWindowText::SelectAll), this);
  selectAll->setObjectName("selectAll");
  showButton_ = new QPushButton(said(ArchiveWindowText::Show), this);
  showButton_->setObjectName("show");
  showButton_->setEnabled(false);
  selected_ = new QLabel(this);
  selected_->setObjectName("selected");
  auto* buttonsRow = new QHBoxLayout;
  buttonsRow->addWidget(selected_, 1);
  buttonsRow->addWidget(selectAll);
  buttonsRow->addWidget(showButton_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(placeRow);
  layout->addLayout(fieldsRow);
  layout->addLayout(countRow);
  layout->addWidget(table_, 1);
  layout->addLayout(buttonsRow);
  resize(1280, 680);

  connect(choose, &QPushButton::clicked, this, &ArchiveWindow::chooseArchive);
  connect(archivesRuns_, &QCheckBox::toggled, this,
          [this](bool on) { place_.setArchivesRuns(on); });
  connect(search, &QPushButton::clicked, this, &ArchiveWindow::refresh);
  connect(fields_, &ArchiveFilterFields::searchAsked, this, &ArchiveWindow::refresh);
  connect(selectAll, &QPushButton::clicked, this, &ArchiveWindow::selectAll);
  // The table's own Ctrl+A would select only the rows read so far.
  auto* selectAllKey = new QShortcut(QKeySequence::SelectAll, table_);
  selectAllKey->setContext(Qt::WidgetShortcut);
  connect(selectAllKey, &QShortcut::activated, this, &ArchiveWindow::selectAll);
  connect(showButton_, &QPushButton::clicked, this, &ArchiveWindow::showSelected);
  connect(table_, &QTableView::doubleClicked, this, &ArchiveWindow::showSelected);
  connect(model_, &ArchiveModel::failed, this, [this](const QString& reason) {
    sayProblem(reason);
    showCount();
  });
  connect(model_, &QAbstractItemModel::modelReset, this, &ArchiveWindow::showCount);
  // Widths for the first listing's texts, a long name cut so that every column
  // shows; the user's own widths are kept afterwards.
  connect(model_, &QAbstractItemModel::modelReset, this, [this] {
    if (model_->rowCount() > 0 && !columnsFitted_) {
      table_->resizeColumnsToContents();
      const int widest = table_->fontMetrics().averageCharWidth() * 32;
      for (int column = 0; column < model_->columnCount(); ++column) {
        table_->setColumnWidth(column, std::min(table_->columnWidth(column), widest));
      }
      columnsFitted_ = true;
    }
  });
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &ArchiveWindow::showSelection);
  // A new listing drops the selection without a word of its own.
  connect(model_, &QAbstractItemModel::modelReset, this, &ArchiveWindow::showSelection);

  refresh();
}

ArchiveWindow::~ArchiveWindow() = default;

void ArchiveWindow::refresh() {
  // The place may have been changed from the main window since.
  showPlace();
  archivesRuns_->setChecked(place_.archivesRuns());
  const FilterReading reading = fields_->read();
  if (!reading.faults.empty()) {
    QString faults;
    for (const std::string& fault : reading.faults) {
      faults += (faults.isEmpty() ? "" : "; ") + QString::fromStdString(fault);
    }
    sayProblem(said(ArchiveWindowText::NotSearched) + faults);
    return;
  }
  sayProblem({});
  const std::filesystem::path path = place_.path();
  if (path.empty()) {
    model_->clear();
    sayProblem(said(ArchiveWindowText::NoPlace));
    return;
  }
  try {
    model_->list(open_(path), reading.filter);
  } catch (const ArchiveError& error) {
    sayProblem(QString::fromStdString(error.what()));
  }
  showCount();
}

std::vector<int> ArchiveWindow::selectedRows() const {
  std::vector<int> rows;
  for (const QItemSelectionRange& range : table_->selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row) {
      rows.push_back(row);
    }
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void ArchiveWindow::selectAll() {
  model_->fetchAll();
  table_->selectAll();
}

void ArchiveWindow::showSelected() {
  const std::vector<int> rows = selectedRows();
  if (rows.empty() || !show_) {
    return;
  }
  std::vector<ArchivedResultsFile> files;
  try {
    files = model_->resultsFilesOf(rows);
  } catch (const ArchiveError& error) {
    sayProblem(said(ArchiveWindowText::NotShown).arg(QString::fromStdString(error.what())));
    return;
  }
  if (!files.empty()) {
    show_(std::move(files));
  }
}

void ArchiveWindow::chooseArchive() {
  QFileDialog dialog(this, said(ArchiveWindowText::ChooseTitle));
  prepareSaveDialog(
      dialog, "archiveDialog",
      QString::fromStdString(messages::archiveWindowText(ArchiveWindowText::ChooseFilter)),
      place_.path());
  // A name not there yet is a place for the runs to come.
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return;
  }
  place_.setPath(systemPath(dialog.selectedFiles().front()));
  refresh();
}

void ArchiveWindow::showPlace() {
  const std::filesystem::path path = place_.path();
  placeLabel_->setText(said(ArchiveWindowText::Place).arg(qtPath(path)));
}

void ArchiveWindow::showSelection() {
  const auto rows = static_cast<std::int64_t>(selectedRows().size());
  selected_->setText(rows == 0 ? QString()
                               : QString::fromStdString(messages::archiveSelectedCount(rows)));
  showButton_->setEnabled(rows > 0);
}

void ArchiveWindow::showCount() {
  count_->setText(QString::fromStdString(messages::archiveSampleCount(model_->total())));
}

void ArchiveWindow::sayProblem(const QString& problem) {
  problem_->setText(problem);
}

}  // namespace granomet
