#include "qt/lot_window.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>
#include <stdexcept>
#include <utility>

#include "data/file_names.h"
#include "qt/chart_image.h"
#include "qt/lot_canvas.h"
#include "qt/message_box.h"
#include "qt/qt_file_dialog.h"
#include "qt/qt_text.h"
#include "qt/window_geometry.h"
#include "report/lot_charts.h"
#include "statistics/descriptive_terms.h"
#include "workflow/messages.h"

#if GRANOMET_GDAL
#include "geodata/background_layer.h"
#endif

namespace granomet {
namespace {

#if GRANOMET_GDAL
constexpr bool kLayersReadable = true;

// A layer's lines, or an exception saying why not, naming the file (UTF-8).
std::vector<GeoPath> readLayer(const std::filesystem::path& file) {
  try {
    return readBackgroundLayer(file);
  } catch (const BackgroundLayerError&) {
    throw;
  } catch (const std::exception& error) {
    throw std::runtime_error(utf8Of(file) + ": " + error.what());
  }
}
#else
// Built without GDAL (there is none for Windows): no layer can be read, and the window
// offers none.
constexpr bool kLayersReadable = false;

std::vector<GeoPath> readLayer(const std::filesystem::path& file) {
  throw std::runtime_error(utf8Of(file));
}
#endif

constexpr int kFontPixels = 12;
// The window's settings: the user's, under the program's organisation; tests set
// QStandardPaths' test mode so that they keep their own.
constexpr const char* kOrganisation = "Granomet";
constexpr const char* kApplication = "Granomet";
constexpr const char* kLayerKey = "vistasDelLote/capaDeFondo";
// Beside the results file: its stem and one of these, by tab.
constexpr std::array<const char*, 3> kPictureSuffixes = {"_mapa.png", "_bivariantes.png",
                                                         "_perfil.png"};

// Both plots share the tab: side by side in a wide one, one over the other in a tall one.
std::pair<QRectF, QRectF> halves(const QRectF& area) {
  if (area.width() >= area.height()) {
    const double half = area.width() / 2;
    return {QRectF(area.left(), area.top(), half, area.height()),
            QRectF(area.left() + half, area.top(), half, area.height())};
  }
  const double half = area.height() / 2;
  return {QRectF(area.left(), area.top(), area.width(), half),
          QRectF(area.left(), area.top() + half, area.width(), half)};
}

LotPanel mapPanel(std::shared_ptr<const report::SampleMap> map, const LotView& view) {
  return {[map](QPainter& painter, int highlighted) { map->draw(painter, highlighted); },
          [map](QPointF position) { return map->sampleAt(position); },
          [map, &view](int sample) -> std::optional<QPointF> {
            if (sample < 0 || sample >= static_cast<int>(view.samples.size())) {
              return std::nullopt;
            }
            const auto& position = view.samples[static_cast<std::size_t>(sample)].position;
            return position ? map->placeOf(*position) : std::nullopt;
          }};
}

template <typename Plot>
LotPanel plotPanel(std::shared_ptr<const Plot> plot) {
  return {[plot](QPainter& painter, int highlighted) { plot->draw(painter, highlighted); },
          [plot](QPointF position) { return plot->sampleAt(position); },
          [plot](int sample) { return plot->placeOf(sample); }};
}

LotPanel profilePanel(std::shared_ptr<const report::DepthProfile> profile) {
  return {[profile](QPainter& painter, int highlighted) { profile->draw(painter, highlighted); },
          [profile](QPointF position) { return profile->sampleAt(position); },
          [](int) { return std::optional<QPointF>(); }};
}

// The class a sample is coloured by, in words.
std::string classOf(const LotViewSample& sample, MapColouring colouring) {
  switch (colouring) {
    case MapColouring::Folk:
      return sample.folkGroup ? messages::folkGroupName(*sample.folkGroup) : std::string();
    case MapColouring::Mean:
      return sample.meanPhi ? messages::meanSizeTermName(meanSizeTermOf(*sample.meanPhi))
                            : std::string();
    case MapColouring::Shepard:
      break;
  }
  return messages::shepardClassName(sample.shepardCode);
}

}  // namespace

LotWindow::LotWindow(QWidget* parent, char decimalMark)
    : QWidget(parent, Qt::Window),
      decimalMark_(decimalMark),
      words_(lotViewWords()),
      imageSize_(kDefaultChartImageSize) {
  setObjectName("LotWindow");
  setWindowTitle(toQString(messages::lotWindowTitle({})));
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFont(windowFont(FontFace::Arial, kFontPixels, false));
  buildControls();
  restoreBackgroundLayer();
  showNotes();
  resize(900, 680);
}

LotWindow::~LotWindow() = default;

void LotWindow::buildControls() {
  auto* layout = new QVBoxLayout(this);
  note_ = new QLabel(this);
  note_->setObjectName("lotNote");
  note_->setWordWrap(true);
  note_->setTextFormat(Qt::PlainText);
  layout->addWidget(note_);

  auto* controls = new QHBoxLayout;
  auto* colouringLabel = new QLabel(toQString(messages::colouringLabel()), this);
  colouringChoice_ = new QComboBox(this);
  colouringChoice_->setObjectName("colouring");
  for (const std::string& name : messages::colouringNames()) {
    colouringChoice_->addItem(toQString(name));
  }
  colouringLabel->setBuddy(colouringChoice_);
  connect(colouringChoice_, &QComboBox::currentIndexChanged, this,
          [this](int index) { setColouring(static_cast<MapColouring>(index)); });
  controls->addWidget(colouringLabel);
  controls->addWidget(colouringChoice_);
  controls->addStretch();
  auto* chooseLayer = new QPushButton(toQString(messages::backgroundLayerButton()), this);
  chooseLayer->setObjectName("chooseLayer");
  connect(chooseLayer, &QPushButton::clicked, this, &LotWindow::chooseBackgroundLayer);
  removeLayer_ = new QPushButton(toQString(messages::removeBackgroundButton()), this);
  removeLayer_->setObjectName("removeLayer");
  connect(removeLayer_, &QPushButton::clicked, this, &LotWindow::removeBackgroundLayer);
  auto* save = new QPushButton(toQString(messages::saveViewButton()), this);
  save->setObjectName("saveView");
  connect(save, &QPushButton::clicked, this, &LotWindow::saveImage);
  for (QPushButton* button : {chooseLayer, removeLayer_, save}) {
    button->setAutoDefault(false);
    button->setVisible(kLayersReadable || button == save);
    controls->addWidget(button);
  }
  layout->addLayout(controls);

  const auto tip = [this](int sample) { return tipOf(sample); };
  map_ = new LotCanvas(
      this,
      [this](const QRectF& area, double textSize) {
        return std::vector<LotPanel>{
            mapPanel(std::make_shared<report::SampleMap>(lot_.view, background_, colouring_, words_,
                                                         area, textSize, decimalMark_),
                     lot_.view)};
      },
      tip);
  bivariate_ = new LotCanvas(
      this,
      [this](const QRectF& area, double textSize) {
        const auto [first, second] = halves(area);
        std::vector<LotPanel> panels;
        for (const auto& [kind, place] : {std::pair{report::BivariateKind::MeanSorting, first},
                                          {report::BivariateKind::SortingSkewness, second}}) {
          panels.push_back(plotPanel(std::make_shared<const report::BivariatePlot>(
              lot_.view, kind, colouring_, words_, place, textSize, decimalMark_)));
        }
        return panels;
      },
      tip);
  profile_ = new LotCanvas(
      this,
      [this](const QRectF& area, double textSize) {
        std::vector<LotPanel> panels;
        if (core_ >= 0 && core_ < static_cast<int>(lot_.view.cores.size())) {
          panels.push_back(profilePanel(std::make_shared<const report::DepthProfile>(
              lot_.view, lot_.view.cores[static_cast<std::size_t>(core_)], words_, area, textSize,
              decimalMark_)));
        }
        return panels;
      },
      tip);
  map_->setObjectName("mapCanvas");
  bivariate_->setObjectName("bivariateCanvas");
  profile_->setObjectName("profileCanvas");
  for (LotCanvas* canvas : {map_, bivariate_, profile_}) {
    canvas->setTextSize(textSize());
    connect(canvas, &LotCanvas::sampleClicked, this, &LotWindow::clicked);
  }

  auto* profilePage = new QWidget(this);
  auto* profileLayout = new QVBoxLayout(profilePage);
  auto* coreRow = new QHBoxLayout;
  auto* coreLabel = new QLabel(toQString(messages::coreChoiceLabel()), profilePage);
  coreChoice_ = new QComboBox(profilePage);
  coreChoice_->setObjectName("coreChoice");
  coreLabel->setBuddy(coreChoice_);
  connect(coreChoice_, &QComboBox::activated, this, [this](int index) {
    core_ = index;
    profile_->relayout();
  });
  coreRow->addWidget(coreLabel);
  coreRow->addWidget(coreChoice_, 1);
  profileLayout->addLayout(coreRow);
  profileNote_ = new QLabel(profilePage);
  profileNote_->setObjectName("profileNote");
  profileNote_->setWordWrap(true);
  profileNote_->setTextFormat(Qt::PlainText);
  profileLayout->addWidget(profileNote_);
  profileLayout->addWidget(profile_, 1);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("lotTabs");
  tabs_->addTab(map_, toQString(words_.mapTitle));
  tabs_->addTab(bivariate_, toQString(words_.bivariateTitle));
  tabs_->addTab(profilePage, toQString(words_.profileTitle));
  layout->addWidget(tabs_, 1);
  showNotes();
}

double LotWindow::textSize() const {
  // The views are laid out in the window's pixels, their smallest text the window's.
  return QFontInfo(font()).pixelSize();
}

void LotWindow::setLot(RunLotView lot, const std::string& lotName,
                       std::filesystem::path resultsFile) {
  lot_ = std::move(lot);
  lotName_ = lotName;
  resultsFile_ = std::move(resultsFile);
  setWindowTitle(toQString(messages::lotWindowTitle(lotName_)));
  highlighted_ = -1;
  fillCores();
  for (LotCanvas* canvas : {map_, bivariate_, profile_}) {
    canvas->setHighlighted(-1);
    canvas->relayout();
  }
  showCoreOf(-1);
  showNotes();
}

void LotWindow::fillCores() {
  coreChoice_->clear();
  for (const SampleCore& core : lot_.view.cores) {
    const std::string first =
        core.levels.empty()
            ? std::string()
            : lot_.view.samples[static_cast<std::size_t>(core.levels.front().sample)].label;
    coreChoice_->addItem(
        toQString(messages::coreChoice(core.lot, first, static_cast<int>(core.levels.size()))));
  }
  core_ = lot_.view.cores.empty() ? -1 : 0;
  coreChoice_->setEnabled(!lot_.view.cores.empty());
}

void LotWindow::highlightSample(int index) {
  if (index < 0 || index >= static_cast<int>(lot_.view.samples.size())) {
    index = -1;
  }
  if (index == highlighted_) {
    return;
  }
  highlighted_ = index;
  for (LotCanvas* canvas : {map_, bivariate_, profile_}) {
    canvas->setHighlighted(index);
  }
  showCoreOf(index);
}

// The profile follows the highlighted sample to its core; a sample in none is said so,
// and the core shown stays.
void LotWindow::showCoreOf(int sample) {
  QString said;
  if (lot_.view.cores.empty()) {
    said = lot_.view.samples.empty() ? QString() : toQString(messages::lotHasNoCores());
  } else if (sample >= 0) {
    int found = -1;
    for (std::size_t c = 0; c < lot_.view.cores.size() && found < 0; ++c) {
      for (const CoreLevel& level : lot_.view.cores[c].levels) {
        if (level.sample == sample) {
          found = static_cast<int>(c);
        }
      }
    }
    if (found >= 0) {
      if (found != core_) {
        core_ = found;
        coreChoice_->setCurrentIndex(found);
        profile_->relayout();
      }
    } else {
      said = toQString(
          messages::sampleInNoCore(lot_.view.samples[static_cast<std::size_t>(sample)].name));
    }
  }
  profileNote_->setText(said);
  profileNote_->setVisible(!said.isEmpty());
}

void LotWindow::setColouring(MapColouring colouring) {
  colouring_ = colouring;
  if (colouringChoice_->currentIndex() != static_cast<int>(colouring)) {
    colouringChoice_->setCurrentIndex(static_cast<int>(colouring));
  }
  map_->relayout();
  bivariate_->relayout();
}

void LotWindow::showTab(LotTab tab) {
  tabs_->setCurrentIndex(static_cast<int>(tab));
}

LotTab LotWindow::currentTab() const {
  return static_cast<LotTab>(tabs_->currentIndex());
}

LotCanvas& LotWindow::canvasOf(LotTab tab) const {
  switch (tab) {
    case LotTab::Bivariate:
      return *bivariate_;
    case LotTab::Profile:
      return *profile_;
    case LotTab::Map:
      break;
  }
  return *map_;
}

QWidget& LotWindow::canvas(LotTab tab) const {
  return canvasOf(tab);
}

std::optional<QPointF> LotWindow::placeOf(LotTab tab, int sample) const {
  return canvasOf(tab).placeOf(sample);
}

QString LotWindow::tipOf(int sample) const {
  if (sample < 0 || sample >= static_cast<int>(lot_.view.samples.size())) {
    return {};
  }
  const LotViewSample& shown = lot_.view.samples[static_cast<std::size_t>(sample)];
  return toQString(messages::lotPointTip(shown.label, shown.name, classOf(shown, colouring_)));
}

QString LotWindow::note() const {
  return note_->text();
}

QString LotWindow::profileNote() const {
  return profileNote_->text();
}

void LotWindow::showNotes() {
  QStringList notes;
  for (const QString& note : {toQString(lot_.note), layerNote_}) {
    if (!note.isEmpty()) {
      notes.push_back(note);
    }
  }
  note_->setText(notes.join('\n'));
  note_->setVisible(!notes.isEmpty());
  removeLayer_->setEnabled(!layerFile_.empty());
}

void LotWindow::clicked(int sample) {
  if (lot_.linked) {
    emit sampleClicked(sample);
  } else {
    // No List1 item stands for it: the views alone show the choice.
    highlightSample(sample);
  }
}

bool LotWindow::setBackgroundLayer(const std::filesystem::path& file) {
  try {
    background_ = readLayer(file);
  } catch (const std::exception& error) {
    showMessageBox(this, messages::backgroundLayerUnreadable(error.what()));
    return false;
  }
  layerFile_ = file;
  layerNote_.clear();
  rememberBackgroundLayer();
  map_->relayout();
  showNotes();
  return true;
}

void LotWindow::removeBackgroundLayer() {
  background_.clear();
  layerFile_.clear();
  layerNote_.clear();
  rememberBackgroundLayer();
  map_->relayout();
  showNotes();
}

void LotWindow::rememberBackgroundLayer() const {
  QSettings settings(kOrganisation, kApplication);
  if (layerFile_.empty()) {
    settings.remove(kLayerKey);
  } else {
    settings.setValue(kLayerKey, QString::fromStdString(utf8Of(layerFile_)));
  }
}

// A remembered layer that is gone, or no longer read, is forgotten with a note: no
// message box stands between the user and the views.
void LotWindow::restoreBackgroundLayer() {
  const QString remembered = QSettings(kOrganisation, kApplication).value(kLayerKey).toString();
  if (remembered.isEmpty() || !kLayersReadable) {
    return;
  }
  const std::filesystem::path file = pathOfUtf8(remembered.toStdString());
  try {
    background_ = readLayer(file);
    layerFile_ = file;
  } catch (const std::exception& error) {
    std::error_code unknown;
    layerNote_ = toQString(std::filesystem::exists(file, unknown)
                               ? messages::rememberedLayerUnreadable(error.what())
                               : messages::rememberedLayerGone(pathText(file)));
    rememberBackgroundLayer();
  }
}

void LotWindow::chooseBackgroundLayer() {
  QFileDialog dialog(this, toQString(messages::backgroundLayerTitle()));
  dialog.setObjectName("backgroundLayerDialog");
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setNameFilters(qtNameFilters(toQString(messages::backgroundLayerFilter())));
  const std::filesystem::path start = layerFile_.empty() ? resultsFile_ : layerFile_;
  if (!start.empty()) {
    dialog.setDirectory(QFileInfo(qtPath(start)).absolutePath());
  }
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    setBackgroundLayer(systemPath(dialog.selectedFiles().front()));
  }
}

void LotWindow::saveImage() {
  const LotTab tab = currentTab();
  std::filesystem::path stem = resultsFile_.stem();
  if (stem.empty()) {
    stem = "resultados";
  }
  stem += kPictureSuffixes[static_cast<std::size_t>(tab)];
  const QString title =
      toQString(messages::lotWindowTitle(lotName_)) + " - " + tabs_->tabText(tabs_->currentIndex());
  const LotCanvas& shown = canvasOf(tab);
  savePicture(
      this, [&shown](QPainter& painter, QSize size) { shown.paintPicture(painter, size); }, title,
      resultsFile_.parent_path() / stem, imageSize_);
}

}  // namespace granomet
