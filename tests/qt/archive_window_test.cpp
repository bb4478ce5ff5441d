// The Archivo window over an archive that records what it is asked: pages fetched up to the
// count, every order asked of the archive, each filter field read or refused, the samples
// chosen handed on, and an archive that cannot be read said.
#include "qt/archive_window.h"

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
#include <functional>

#include "qt/archive_model.h"
#include "support/modal_answerer.h"

using namespace granomet;

namespace {

// What the archive holds and what was asked of it by every opening.
struct Shelf {
  int samples = 0;
  std::vector<ArchiveFilter> counted;                       // each count's filter
  std::vector<std::pair<ArchiveSort, std::int64_t>> pages;  // each page's order and offset
  std::vector<std::int64_t> asked;  // the ids of the last results files asked
  int pagesBeforeFailing = -1;      // from then on samples() throws
  int opened = 0;
};

// Lets through the samples of the filter's lot (all for none), lots of 254, in the order they
// are held: the window must show the archive's order, whatever the column.
class ShelfArchive final : public Archive {
 public:
  explicit ShelfArchive(Shelf& shelf) : shelf_(shelf) {}
  std::string location() const override { return "estante"; }
  AddedRun addRun(const RunToArchive&) override { return {}; }
  std::int64_t countSamples(const ArchiveFilter& filter) override {
    shelf_.counted.push_back(filter);
    return std::ssize(passing(filter));
  }
  std::vector<ArchivedSample> samples(const ArchiveFilter& filter, const ArchiveSort& sort,
                                      std::int64_t offset, std::int64_t limit) override {
    if (shelf_.pagesBeforeFailing == std::ssize(shelf_.pages)) {
      throw ArchiveError(ArchiveError::Cause::Damaged, "/datos/archivo.gpkg: base de datos dañada");
    }
    shelf_.pages.emplace_back(sort, offset);
    const auto all = passing(filter);
    return {all.begin() + offset, all.begin() + std::min(offset + limit, std::ssize(all))};
  }
  std::vector<ArchivedResultsFile> resultsFilesOf(const std::vector<std::int64_t>& ids) override {
    shelf_.asked = ids;
    return {{"LOTE1_06062016_103105.csv", "..."}};
  }
  std::vector<ArchivedRun> runs() override { return {}; }
  ArchiveCheck check() override { return {}; }

 private:
  std::vector<ArchivedSample> passing(const ArchiveFilter& filter) const {
    std::vector<ArchivedSample> through;
    for (int i = 0; i < shelf_.samples; ++i) {
      ArchivedSample sample;
      sample.id = 1000 + i;
      sample.lot = "LOTE" + std::to_string(1 + i / 254);
      sample.name = "M-" + std::to_string(i);
      sample.depth = 12.5;
      if (filter.lot.empty() || sample.lot == filter.lot) {
        through.push_back(sample);
      }
    }
    return through;
  }
  Shelf& shelf_;
};

}  // namespace

class ArchiveWindowTest : public QObject {
  Q_OBJECT

  Shelf shelf_;
  std::filesystem::path path_;
  bool archivesRuns_ = true;
  int shown_ = 0;  // the times samples were handed on
  std::unique_ptr<ArchiveWindow> window_;
  // Settings and files of this test, apart from those of the tests running beside it.
  QTemporaryDir settings_{QDir::tempPath() + "/archive_window_test_" +
                          QString::number(QCoreApplication::applicationPid()) + "_XXXXXX"};

  ArchiveWindow& open(int samples, std::filesystem::path path = "/datos/archivo.gpkg",
                      ArchiveOpener opener = {}) {
    window_.reset();
    shelf_ = Shelf();
    shelf_.samples = samples;
    path_ = std::move(path);
    ArchivePlace place{[this] { return path_; },
                       [this](const std::filesystem::path& chosen) { path_ = chosen; },
                       [this] { return archivesRuns_; }, [this](bool on) { archivesRuns_ = on; }};
    const auto shelf = [this](const std::filesystem::path& at) -> std::unique_ptr<Archive> {
      if (at.filename() == "falta.gpkg") {
        throw ArchiveError(ArchiveError::Cause::Missing, "no hay archivo en " + at.string());
      }
      ++shelf_.opened;
      return std::make_unique<ShelfArchive>(shelf_);
    };
    window_ = std::make_unique<ArchiveWindow>(
        nullptr, place, ',', [this](auto) { ++shown_; }, opener ? opener : shelf);
    window_->show();
    return *window_;
  }
  QString text(const char* label) const { return window_->findChild<QLabel*>(label)->text(); }
  QString fault(const char* field) const {
    return window_->findChild<QWidget*>(field)->property("fault").toString();
  }
  // Types into a field, a combo's own text too, and searches with Enter.
  void search(const char* field, const QString& typed) {
    auto* edit = window_->findChild<QLineEdit*>(field);
    if (auto* combo = window_->findChild<QComboBox*>(field)) {
      edit = combo->lineEdit();
    }
    edit->setText(typed);
    QTest::keyClick(edit, Qt::Key_Return);
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
      QCOMPARE(std::ssize(shelf_.pages), (samples + page - 1) / page);
      if (samples > 0) {
        QCOMPARE(model.index(samples - 1, 2).data().toString(),
                 "M-" + QString::number(samples - 1));
        QCOMPARE(model.index(0, static_cast<int>(ArchiveColumn::Depth)).data().toString(), "12,5");
      }
    }
  }

  // A header clicked lists again from the first page in that column's order, asked of the
  // archive; clicked again, the other way. The rows stay in the order the archive gave.
  void sortingAsksTheArchive() {
    ArchiveWindow& window = open(700);
    window.model().fetchMore({});
    QCOMPARE(window.model().rowCount(), 600);
    QHeaderView* header = window.table().horizontalHeader();
    for (const auto& [column, descending] : {std::pair{ArchiveColumn::MeanPhi, false},
                                             {ArchiveColumn::MeanPhi, true},
                                             {ArchiveColumn::RunDate, false}}) {
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                        {header->sectionViewportPosition(static_cast<int>(column)) + 5, 5});
      const auto& [sort, offset] = shelf_.pages.back();
      QVERIFY(sort.column == column && sort.descending == descending && offset == 0);
      QCOMPARE(window.model().rowCount(), ArchiveModel::kPageSize);
      QCOMPARE(window.model().sampleAt(0).id, 1000);
    }
    // A new search keeps the order chosen.
    window.refresh();
    QCOMPARE(shelf_.pages.back().first.column, ArchiveColumn::RunDate);
  }

  // A field that does not read is marked and said, with what was typed, and the archive is not
  // asked; the table keeps the last search. Set right, the mark goes and the field reaches the
  // archive's filter as the command line's options would.
  void eachFieldIsReadOrRefused() {
    const struct {
      const char* field;
      QString wrong;  // empty: none tried
      QString right;
      std::function<bool(const ArchiveFilter&)> holds;
    } rows[] = {
        {"campaign", "", " Golfo 2016 ", [](auto& f) { return f.campaign == "Golfo 2016"; }},
        {"lot", "", "LOTE2", [](auto& f) { return f.lot == "LOTE2"; }},
        {"sample", "", "M-1", [](auto& f) { return f.sample == "M-1"; }},
        {"folk", "arena", "(g)mS", [](auto& f) { return f.folk == "(g)mS"; }},
        {"folk", "", "(todos)", [](auto& f) { return f.folk.empty(); }},
        {"depth", "50-60", "0:20,5",
         [](auto& f) { return f.depthMin == 0.0 && f.depthMax == 20.5; }},
        {"zone", "-6.5,36.3,-6.1", "-6.1,36.6,-6.5,36.3",
         [](auto& f) { return f.zone && f.zone->west == -6.5 && f.zone->north == 36.6; }},
        {"since", "31/02/2016", "06/06/2016",
         [](auto& f) { return f.since && f.since->year == 2016 && f.since->day == 6 && !f.until; }},
        {"until", "hoy", "2017-01-31", [](auto& f) { return f.until && f.until->month == 1; }},
    };
    for (const auto& row : rows) {
      ArchiveWindow& window = open(400);
      if (!row.wrong.isEmpty()) {
        search(row.field, row.wrong);
        QCOMPARE(shelf_.counted.size(), 1u);
        QVERIFY2(text("problem").contains("«" + row.wrong + "»"), qPrintable(text("problem")));
        QVERIFY(!fault(row.field).isEmpty());
        QCOMPARE(window.model().rowCount(), ArchiveModel::kPageSize);
        QCOMPARE(text("count"), "400 muestras");
      }
      search(row.field, row.right);
      QVERIFY2(shelf_.counted.size() == 2u && row.holds(shelf_.counted.back()), row.field);
      QVERIFY(fault(row.field).isEmpty() && text("problem").isEmpty());
    }
    // A day after the last one.
    open(10);
    window_->findChild<QLineEdit*>("since")->setText("2017-01-01");
    search("until", "31/12/2016");
    QCOMPARE(shelf_.counted.size(), 1u);
    QVERIFY(!fault("until").isEmpty());
    // The class from its list, the versions from the box, the search from the button.
    ArchiveWindow& window = open(600);
    window.findChild<QComboBox*>("shepard")->setCurrentIndex(4);
    window.findChild<QCheckBox*>("allVersions")->setChecked(true);
    window.findChild<QLineEdit*>("lot")->setText("LOTE2");
    QTest::mouseClick(window.findChild<QPushButton*>("search"), Qt::LeftButton);
    QCOMPARE(shelf_.counted.back().shepard, "4");
    QVERIFY(shelf_.counted.back().allVersions);
    QCOMPARE(text("count"), "254 muestras");
  }

  // The rows chosen, by clicks, a double click or every one, are asked of the archive by their
  // samples' ids in the table's order, and what it gives is handed to the main window.
  void theChosenSamplesAreHandedOn() {
    ArchiveWindow& window = open(700);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTableView& table = window.table();
    const auto at = [&table](int row) {
      table.scrollTo(table.model()->index(row, 0));
      return table.visualRect(table.model()->index(row, 2)).center();
    };
    auto* show = window.findChild<QPushButton*>("show");
    QVERIFY(!show->isEnabled());
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at(5));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::ShiftModifier, at(7));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::ControlModifier, at(2));
    QCOMPARE(text("selected"), "4 seleccionadas");
    QTest::mouseClick(show, Qt::LeftButton);
    QCOMPARE(shelf_.asked, (std::vector<std::int64_t>{1002, 1005, 1006, 1007}));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at(10));
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, at(10));
    QCOMPARE(shelf_.asked, std::vector<std::int64_t>{1010});
    QCOMPARE(shown_, 2);

    // Every sample the filter lets through, not only the rows read so far; so with the keys.
    for (const bool keys : {false, true}) {
      window.refresh();
      QVERIFY(window.model().rowCount() == ArchiveModel::kPageSize && text("selected").isEmpty());
      if (keys) {
        table.setFocus();
        QTest::keyClick(&table, Qt::Key_A, Qt::ControlModifier);
      } else {
        QTest::mouseClick(window.findChild<QPushButton*>("selectAll"), Qt::LeftButton);
      }
      QCOMPARE(text("selected"), "700 seleccionadas");
      window.showSelected();
      QVERIFY(shelf_.asked.size() == 700u && shelf_.asked.front() == 1000 &&
              shelf_.asked.back() == 1699);
    }
  }

  // The place chosen in the dialog is kept and read; the box keeps whether runs are archived.
  void theArchiveChosenIsKeptAndRead() {
    ArchiveWindow& window = open(3);
    QVERIFY(text("place").contains("/datos/archivo.gpkg"));
    window.findChild<QCheckBox*>("archivesRuns")->click();
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
    QCOMPARE(shelf_.opened, 2);
  }

  // An archive that cannot be opened leaves the table empty and says why; one that fails at a
  // later page keeps the rows read and fetches no more; no place at all is said.
  void anArchiveThatCannotBeReadIsSaid() {
    ArchiveWindow& missing = open(10, "/datos/falta.gpkg");
    QCOMPARE(missing.model().rowCount(), 0);
    QCOMPARE(text("count"), "0 muestras");
    QVERIFY(text("problem").contains("no hay archivo en /datos/falta.gpkg"));

    ArchiveWindow& failing = open(700);
    shelf_.pagesBeforeFailing = 1;
    failing.model().fetchMore({});
    QVERIFY(text("problem").contains("base de datos dañada"));
    QCOMPARE(failing.model().rowCount(), ArchiveModel::kPageSize);
    QVERIFY(!failing.model().canFetchMore({}));
    failing.selectAll();
    QCOMPARE(shelf_.pages.size(), 1u);
    QCOMPARE(text("selected"), "300 seleccionadas");

    open(10, "");
    QVERIFY(text("problem").contains("Elegir archivo"));

    // The program's own: one that is not there is never created.
    const std::filesystem::path absent = settings_.filePath("nuevo.gpkg").toStdString();
    open(0, absent, openArchiveToRead);
    QVERIFY(text("problem").contains("nuevo.gpkg") && !std::filesystem::exists(absent));
  }
};

QTEST_MAIN(ArchiveWindowTest)
#include "archive_window_test.moc"
