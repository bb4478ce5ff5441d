// The Archivo window over an archive that records what it is asked: pages fetched up to the
// count, every order asked of the archive, each filter field read or refused, the samples
// chosen handed on, and an archive that cannot be read said.
#include "qt/archive_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <functional>
#include <memory>

#include "archive/open_archive.h"
#include "data/text_encoding.h"
#include "qt/archive_model.h"
#include "support/modal_answerer.h"

using namespace granomet;

namespace {

// What the archive holds, and what was asked of it by every opening.
struct Shelf {
  std::vector<ArchivedSample> samples;
  std::vector<ArchiveFilter> counted;  // each count's filter
  struct Page {
    ArchiveSort sort;
    std::int64_t offset, limit;
  };
  std::vector<Page> pages;
  std::vector<std::int64_t> asked;  // the ids of the last results files asked
  int pagesBeforeFailing = -1;      // from then on samples() throws
  int opened = 0;
};

// Lets through the samples of the filter's lot (all for none), in the order they are held: the
// window must show the archive's order, whatever the column.
class ShelfArchive final : public Archive {
 public:
  explicit ShelfArchive(std::shared_ptr<Shelf> shelf) : shelf_(std::move(shelf)) {}
  std::string location() const override { return "estante"; }
  AddedRun addRun(const RunToArchive&) override { return {}; }
  std::int64_t countSamples(const ArchiveFilter& filter) override {
    shelf_->counted.push_back(filter);
    return static_cast<std::int64_t>(passing(filter).size());
  }
  std::vector<ArchivedSample> samples(const ArchiveFilter& filter, const ArchiveSort& sort,
                                      std::int64_t offset, std::int64_t limit) override {
    if (shelf_->pagesBeforeFailing == static_cast<int>(shelf_->pages.size())) {
      throw ArchiveError(ArchiveError::Cause::Damaged, "/datos/archivo.gpkg: base de datos dañada");
    }
    shelf_->pages.push_back({sort, offset, limit});
    const auto all = passing(filter);
    const auto end = std::min<std::int64_t>(offset + limit, static_cast<std::int64_t>(all.size()));
    return {all.begin() + offset, all.begin() + end};
  }
  std::vector<ArchivedResultsFile> resultsFilesOf(const std::vector<std::int64_t>& ids) override {
    shelf_->asked = ids;
    return {{"LOTE1_06062016_103105.csv", "..."}};
  }
  std::vector<ArchivedRun> runs() override { return {}; }
  ArchiveCheck check() override { return {}; }

 private:
  std::vector<ArchivedSample> passing(const ArchiveFilter& filter) const {
    std::vector<ArchivedSample> through;
    for (const ArchivedSample& sample : shelf_->samples) {
      if (filter.lot.empty() || sample.lot == filter.lot) {
        through.push_back(sample);
      }
    }
    return through;
  }
  std::shared_ptr<Shelf> shelf_;
};

std::vector<ArchivedSample> samplesOfLots(int count) {
  std::vector<ArchivedSample> samples;
  for (int i = 0; i < count; ++i) {
    ArchivedSample sample;
    sample.id = 1000 + i;
    sample.lot = "LOTE" + std::to_string(1 + i / 254);
    sample.lotNumber = std::to_string(1 + i % 254);
    sample.name = "M-" + std::to_string(i);
    sample.depth = 12.5;
    sample.meanPhi = 2.5 + i * 0.001;
    sample.sand = 80;
    sample.runDateTime = "2016-06-06T10:31:05";
    samples.push_back(sample);
  }
  return samples;
}

}  // namespace

class ArchiveWindowTest : public QObject {
  Q_OBJECT

  std::shared_ptr<Shelf> shelf_;
  std::filesystem::path path_;
  bool archivesRuns_ = true;
  std::vector<std::vector<ArchivedResultsFile>> shown_;
  std::unique_ptr<ArchiveWindow> window_;
  // Settings and files of this test, apart from those of the tests running beside it.
  QTemporaryDir settings_{QDir::tempPath() + "/archive_window_test_" +
                          QString::number(QCoreApplication::applicationPid()) + "_XXXXXX"};

  ArchiveWindow& open(int samples, std::filesystem::path path = "/datos/archivo.gpkg") {
    shelf_ = std::make_shared<Shelf>();
    shelf_->samples = samplesOfLots(samples);
    path_ = std::move(path);
    shown_.clear();
    ArchivePlace place{[this] { return path_; },
                       [this](const std::filesystem::path& chosen) { path_ = chosen; },
                       [this] { return archivesRuns_; }, [this](bool on) { archivesRuns_ = on; }};
    auto opener = [shelf = shelf_](const std::filesystem::path& at) -> std::unique_ptr<Archive> {
      if (at.filename() == "falta.gpkg") {
        throw ArchiveError(ArchiveError::Cause::Missing, "no hay archivo en " + at.string());
      }
      ++shelf->opened;
      return std::make_unique<ShelfArchive>(shelf);
    };
    window_ = std::make_unique<ArchiveWindow>(
        nullptr, place, ',', [this](auto files) { shown_.push_back(std::move(files)); }, opener);
    window_->show();
    return *window_;
  }
  QString text(const char* label) const { return window_->findChild<QLabel*>(label)->text(); }
  void press(const char* field) {
    QTest::keyClick(window_->findChild<QWidget*>(field), Qt::Key_Return);
  }
  void clickHeader(int column) {
    QHeaderView* header = window_->table().horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, 5));
  }

 private slots:
  void initTestCase() {
    // The file dialog's history stays out of the user's settings.
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(settings_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
  }
  void cleanup() { window_.reset(); }

  // The first page when the window opens, then a page at each fetch up to the count and no
  // further; the count is the archive's, shown from the start.
  void pagesAreFetchedUpToTheCount() {
    const int page = ArchiveModel::kPageSize;
    for (const int samples : {0, 1, page, page + 1, 2 * page + 100}) {
      ArchiveModel& model = open(samples).model();
      QCOMPARE(model.rowCount(), std::min(samples, page));
      QCOMPARE(text("count"), QString::number(samples) + (samples == 1 ? " muestra" : " muestras"));
      while (model.canFetchMore({})) {
        model.fetchMore({});
      }
      QCOMPARE(model.rowCount(), samples);
      QCOMPARE(static_cast<int>(shelf_->pages.size()), (samples + page - 1) / page);
      for (std::size_t i = 0; i < shelf_->pages.size(); ++i) {
        QCOMPARE(shelf_->pages[i].offset, static_cast<std::int64_t>(i) * page);
      }
      if (samples > 0) {
        QCOMPARE(model.data(model.index(samples - 1, 2), Qt::DisplayRole).toString(),
                 "M-" + QString::number(samples - 1));
        QCOMPARE(model.data(model.index(0, static_cast<int>(ArchiveColumn::Depth)), Qt::DisplayRole)
                     .toString(),
                 "12,5");
      }
    }
  }

  // A header clicked lists again from the first page in that column's order, asked of the
  // archive; clicked again, the other way. The rows stay in the order the archive gave.
  void sortingAsksTheArchive() {
    ArchiveWindow& window = open(700);
    window.model().fetchMore({});
    QCOMPARE(window.model().rowCount(), 600);
    const struct {
      ArchiveColumn column;
      bool descending;
    } clicks[] = {{ArchiveColumn::MeanPhi, false},
                  {ArchiveColumn::MeanPhi, true},
                  {ArchiveColumn::RunDate, false}};
    for (const auto& click : clicks) {
      clickHeader(static_cast<int>(click.column));
      const Shelf::Page& asked = shelf_->pages.back();
      QCOMPARE(asked.sort.column, click.column);
      QCOMPARE(asked.sort.descending, click.descending);
      QCOMPARE(asked.offset, 0);
      QCOMPARE(window.model().rowCount(), ArchiveModel::kPageSize);
      QCOMPARE(window.model().sampleAt(0).id, 1000);
    }
    // A new search keeps the order chosen.
    window.refresh();
    QCOMPARE(shelf_->pages.back().sort.column, ArchiveColumn::RunDate);
  }

  // Each field, typed and searched with Enter, reaches the archive's filter as the command
  // line's options would.
  void eachFieldReachesTheFilter() {
    using Check = std::function<bool(const ArchiveFilter&)>;
    const struct {
      const char* field;
      QString typed;
      Check holds;
    } rows[] = {
        {"campaign", " Golfo 2016 ", [](auto& f) { return f.campaign == "Golfo 2016"; }},
        {"lot", "LOTE2", [](auto& f) { return f.lot == "LOTE2"; }},
        {"sample", "M-1", [](auto& f) { return f.sample == "M-1"; }},
        {"folk", "(g)mS", [](auto& f) { return f.folk == "(g)mS"; }},
        {"folk", "(todos)", [](auto& f) { return f.folk.empty(); }},
        {"depth", "50:", [](auto& f) { return f.depthMin == 50.0 && !f.depthMax; }},
        {"depth", "0:20,5", [](auto& f) { return f.depthMin == 0.0 && f.depthMax == 20.5; }},
        {"zone", "-6.1,36.6,-6.5,36.3",
         [](auto& f) {
           return f.zone && f.zone->west == -6.5 && f.zone->south == 36.3 && f.zone->east == -6.1 &&
                  f.zone->north == 36.6;
         }},
        {"since", "06/06/2016",
         [](auto& f) { return f.since && f.since->year == 2016 && f.since->day == 6 && !f.until; }},
        {"until", "2017-01-31", [](auto& f) { return f.until && f.until->month == 1; }},
    };
    for (const auto& row : rows) {
      ArchiveWindow& window = open(600);
      auto* field = window.findChild<QWidget*>(row.field);
      if (auto* combo = qobject_cast<QComboBox*>(field)) {
        combo->setEditText(row.typed);
        field = combo->lineEdit();
      } else {
        static_cast<QLineEdit*>(field)->setText(row.typed);
      }
      QTest::keyClick(field, Qt::Key_Return);
      QVERIFY2(shelf_->counted.size() == 2u, row.field);
      QVERIFY2(row.holds(shelf_->counted.back()), row.field);
      QVERIFY(text("problem").isEmpty());
    }
    // The class from its list, the versions from the box, the search from the button.
    ArchiveWindow& window = open(600);
    window.findChild<QComboBox*>("shepard")->setCurrentIndex(4);
    window.findChild<QCheckBox*>("allVersions")->setChecked(true);
    window.findChild<QLineEdit*>("lot")->setText("LOTE2");
    QTest::mouseClick(window.findChild<QPushButton*>("search"), Qt::LeftButton);
    QCOMPARE(shelf_->counted.back().shepard, "4");
    QVERIFY(shelf_->counted.back().allVersions);
    QCOMPARE(text("count"), "254 muestras");
  }

  // A field that does not read is marked and said, with what was typed, and the archive is not
  // asked; the table keeps the last search. Set right, the mark goes and the search is made.
  void aFieldThatDoesNotReadIsRefused() {
    const struct {
      const char* field;
      QString typed;
      QString right;
    } rows[] = {
        {"depth", "50-60", "50:60"},
        {"zone", "-6.5,36.3,-6.1", "-6.5,36.3,-6.1,36.6"},
        {"since", "31/02/2016", "29/02/2016"},
        {"until", "hoy", "2016-12-31"},
        {"folk", "arena", "S"},
    };
    for (const auto& row : rows) {
      ArchiveWindow& window = open(400);
      auto* field = window.findChild<QWidget*>(row.field);
      auto* edit = qobject_cast<QLineEdit*>(field);
      if (auto* combo = qobject_cast<QComboBox*>(field)) {
        edit = combo->lineEdit();
      }
      edit->setText(row.typed);
      QTest::keyClick(edit, Qt::Key_Return);
      QCOMPARE(shelf_->counted.size(), 1u);
      QVERIFY2(text("problem").contains("«" + row.typed + "»"), qPrintable(text("problem")));
      QVERIFY(!field->property("fault").toString().isEmpty());
      QCOMPARE(window.model().rowCount(), ArchiveModel::kPageSize);
      QCOMPARE(text("count"), "400 muestras");
      edit->setText(row.right);
      QTest::keyClick(edit, Qt::Key_Return);
      QCOMPARE(shelf_->counted.size(), 2u);
      QVERIFY(field->property("fault").toString().isEmpty());
      QVERIFY(text("problem").isEmpty());
    }
    // A day after the last one.
    ArchiveWindow& window = open(10);
    window.findChild<QLineEdit*>("since")->setText("2017-01-01");
    window.findChild<QLineEdit*>("until")->setText("31/12/2016");
    press("until");
    QCOMPARE(shelf_->counted.size(), 1u);
    QVERIFY(!window.findChild<QWidget*>("until")->property("fault").toString().isEmpty());
  }

  // The rows chosen, by clicks, a double click or every one, are asked of the archive by their
  // samples' ids in the table's order, and what it gives is handed to the main window.
  void theChosenSamplesAreHandedOn() {
    ArchiveWindow& window = open(700);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTableView& table = window.table();
    const auto click = [&table](int row, Qt::KeyboardModifiers keys) {
      table.scrollTo(table.model()->index(row, 0));
      QTest::mouseClick(table.viewport(), Qt::LeftButton, keys,
                        table.visualRect(table.model()->index(row, 2)).center());
    };
    QVERIFY(!window.findChild<QPushButton*>("show")->isEnabled());
    click(5, {});
    click(7, Qt::ShiftModifier);
    click(2, Qt::ControlModifier);
    QCOMPARE(text("selected"), "4 seleccionadas");
    QTest::mouseClick(window.findChild<QPushButton*>("show"), Qt::LeftButton);
    QCOMPARE(shelf_->asked, (std::vector<std::int64_t>{1002, 1005, 1006, 1007}));
    QCOMPARE(shown_.size(), 1u);
    QCOMPARE(shown_.back().front().name, "LOTE1_06062016_103105.csv");

    const QModelIndex tenth = table.model()->index(10, 2);
    click(10, {});
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, table.visualRect(tenth).center());
    QCOMPARE(shelf_->asked, std::vector<std::int64_t>{1010});
    QCOMPARE(shown_.size(), 2u);

    // Every sample the filter lets through, not only the rows read so far; so with the keys.
    for (const auto& choose : std::initializer_list<std::function<void()>>{
             [&] {
               QTest::mouseClick(window.findChild<QPushButton*>("selectAll"), Qt::LeftButton);
             },
             [&] {
               table.setFocus();
               QTest::keyClick(&table, Qt::Key_A, Qt::ControlModifier);
             }}) {
      window.refresh();
      QCOMPARE(window.model().rowCount(), ArchiveModel::kPageSize);
      QVERIFY(text("selected").isEmpty());
      shelf_->asked.clear();
      choose();
      QCOMPARE(text("selected"), "700 seleccionadas");
      window.showSelected();
      QCOMPARE(shelf_->asked.size(), 700u);
      QCOMPARE(shelf_->asked.front(), 1000);
      QCOMPARE(shelf_->asked.back(), 1699);
    }
  }

  // The place chosen in the dialog is kept and read; the box keeps whether runs are archived.
  void theArchiveChosenIsKeptAndRead() {
    ArchiveWindow& window = open(3);
    QVERIFY(text("place").contains("/datos/archivo.gpkg"));
    auto* box = window.findChild<QCheckBox*>("archivesRuns");
    QVERIFY(box->isChecked());
    box->click();
    QVERIFY(!archivesRuns_);
    tools::ModalAnswerer answerer;
    const QString chosen = settings_.filePath("otro.gpkg");
    answerer.then("archiveDialog", [&chosen](QDialog& dialog) {
      auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
      name->setText(chosen);
      QTest::keyClick(name, Qt::Key_Return);
    });
    QTest::mouseClick(window.findChild<QPushButton*>("chooseArchive"), Qt::LeftButton);
    QVERIFY(answerer.endScript());
    QCOMPARE(QString::fromStdString(path_.string()), chosen);
    QVERIFY(text("place").contains(chosen));
    QCOMPARE(shelf_->opened, 2);
  }

  // An archive that cannot be opened leaves the table empty and says why; one that fails at a
  // later page keeps the rows read and fetches no more; no place at all is said.
  void anArchiveThatCannotBeReadIsSaid() {
    ArchiveWindow& missing = open(10, "/datos/falta.gpkg");
    QCOMPARE(missing.model().rowCount(), 0);
    QCOMPARE(text("count"), "0 muestras");
    QVERIFY(text("problem").contains("no hay archivo en /datos/falta.gpkg"));

    ArchiveWindow& failing = open(700);
    shelf_->pagesBeforeFailing = 1;
    failing.model().fetchMore({});
    QVERIFY(text("problem").contains("base de datos dañada"));
    QCOMPARE(failing.model().rowCount(), ArchiveModel::kPageSize);
    QVERIFY(!failing.model().canFetchMore({}));
    failing.selectAll();
    QCOMPARE(shelf_->pages.size(), 1u);
    QCOMPARE(text("selected"), "300 seleccionadas");

    open(10, "");
    QVERIFY(text("problem").contains("Elegir archivo"));
  }

  // The program's own archive: one that is not there is said and never created; a run's
  // samples listed, and those chosen come back as their results file's lines.
  void overTheProgramsArchive() {
    const QDir folder(settings_.path());
    const std::filesystem::path archive = folder.filePath("archivo.gpkg").toStdString();
    path_ = archive;
    ArchivePlace place{[this] { return path_; }, [](const std::filesystem::path&) {},
                       [] { return true; }, [](bool) {}};
    std::vector<ArchivedResultsFile> shown;
    ArchiveWindow window(
        nullptr, place, ',', [&shown](auto files) { shown = std::move(files); }, openArchiveToRead);
    QCOMPARE(window.model().rowCount(), 0);
    QVERIFY(window.findChild<QLabel*>("problem")->text().contains("archivo.gpkg"));
    QVERIFY(!std::filesystem::exists(archive));

    const std::filesystem::path results =
        folder.filePath("LOTE12_06062016_093005.csv").toStdString();
    std::filesystem::copy_file(GRANOMET_TEST_DATA "/batch/expected/plain_point.csv", results);
    RunToArchive run;
    run.resultsFile = results;
    openArchive(archive, ArchiveAccess::Write)->addRun(run);
    window.refresh();
    QCOMPARE(window.model().total(), 12);
    QVERIFY(window.findChild<QLabel*>("problem")->text().isEmpty());
    for (const int row : {1, 4}) {
      window.table().selectionModel()->select(
          window.model().index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    window.showSelected();
    const ResultsSet set = resultsSetOf(shown);
    QCOMPARE(set.samples(), 2);
    const auto& lines = set.files.front().contents.lines;
    QCOMPARE(cp1252ToUtf8(lines[0].fields[1]), window.model().sampleAt(1).name);
    QCOMPARE(cp1252ToUtf8(lines[1].fields[1]), window.model().sampleAt(4).name);
  }
};

QTEST_MAIN(ArchiveWindowTest)
#include "archive_window_test.moc"
