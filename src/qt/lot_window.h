// The window of the lot seen whole: the samples' map, the Folk & Ward bivariate plots and a core's
// depth profile of the window's last run.
#pragma once

#include <QPointF>
#include <QSize>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "statistics/geo_point.h"
#include "workflow/run_lot_view.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace granomet {

class LotCanvas;

enum class LotTab { Map, Bivariate, Profile };

// One tab a view, drawn by the report's own routines scaled to the tab, its texts at
// the window's font size. A sample's index is its place in the lot's views, which is
// its curve's while the views are linked to the run. The highlighted sample is drawn
// larger in every view; the profile shows its core. The background layer chosen is
// remembered between sessions.
class LotWindow final : public QWidget {
  Q_OBJECT

 public:
  // decimalMark: the regional mark, for the views' numbers.
  LotWindow(QWidget* parent, char decimalMark);
  ~LotWindow() override;

  // resultsFile: the run's, whose name the saved pictures' names start with.
  void setLot(RunLotView lot, const std::string& lotName, std::filesystem::path resultsFile);
  const LotView& view() const { return lot_.view; }
  bool linked() const { return lot_.linked; }
  // -1, or a sample the window does not hold, highlights none.
  void highlightSample(int index);
  int highlightedSample() const { return highlighted_; }
  void setColouring(MapColouring colouring);
  void showTab(LotTab tab);

  // Where the view draws a sample, in its canvas's pixels; nullopt where it does not.
  std::optional<QPointF> placeOf(LotTab tab, int sample) const;
  QWidget& canvas(LotTab tab) const;
  // What resting the pointer on a sample's point says: its number, name and class.
  QString tipOf(int sample) const;
  // What the window says above its tabs, and on the profile's tab (empty: nothing).
  QString note() const;
  QString profileNote() const;

  // Reads the layer and remembers it; one that cannot be read is said in a message
  // box, and the map keeps what it had. True when read.
  bool setBackgroundLayer(const std::filesystem::path& file);
  void removeBackgroundLayer();
  const std::filesystem::path& backgroundLayer() const { return layerFile_; }
  void chooseBackgroundLayer();
  void saveImage();

 signals:
  // A click on sample `index`'s point while the views are linked to the run.
  void sampleClicked(int index);

 private:
  void buildControls();
  void restoreBackgroundLayer();
  void rememberBackgroundLayer() const;
  void fillCores();
  void showCoreOf(int sample);
  void showNotes();
  void redraw();
  LotCanvas& canvasOf(LotTab tab) const;
  LotTab currentTab() const;
  double textSize() const;
  void clicked(int sample);

  const char decimalMark_;
  RunLotView lot_;
  std::string lotName_;
  std::filesystem::path resultsFile_;
  LotViewWords words_;
  std::vector<GeoPath> background_;
  std::filesystem::path layerFile_;
  MapColouring colouring_ = MapColouring::Shepard;
  int highlighted_ = -1;
  int core_ = -1;  // the profile's, an index into the view's cores
  QString layerNote_;
  QSize imageSize_;

  QLabel* note_ = nullptr;
  QComboBox* colouringChoice_ = nullptr;
  QPushButton* removeLayer_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  LotCanvas* map_ = nullptr;
  LotCanvas* bivariate_ = nullptr;
  LotCanvas* profile_ = nullptr;
  QComboBox* coreChoice_ = nullptr;
  QLabel* profileNote_ = nullptr;
};

}  // namespace granomet
