// Ties the calculated samples of List1 to their curves and ternary points, and offers the graph's
// menu.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <filesystem>
#include <functional>
#include <string>

#include "qt/chart_image.h"
#include "workflow/shown_results.h"

class QAbstractScrollArea;
class QAction;
class QMenu;
class QWidget;

namespace granomet {

class CurveGraph;
class SampleList;
class LotWindow;
class TernaryWindow;

// A List1 item is linked to the curve plotted while it was List1's last item: the
// run lists each calculated sample just before it draws it, so the links hold
// while List1 shows a run's samples and go with the items when List1 is cleared.
// Selecting a linked item highlights its curve and its point; resting the pointer
// on a curve or a point selects its item.
//
// Right-clicking the graph or List1, or the menu key or Shift+F10 there, offers the report, saving
// the graph as a picture, the ternary diagram and the lot's views, enabled while List1 shows a
// run's samples (or archived samples shown as a run's), and the Archivo window, always enabled.
// The lot's views read the shown samples' results files again when opened and after each run.
class SampleLinks final : public QObject {
  Q_OBJECT

 public:
  // window: the main window, over which the menu, dialogs and the ternary window
  // open; it owns them. decimalMark: the regional mark, for the lot's views.
  // shown: where List1's samples come from, asked each time it is needed. The
  // links must go before the list and the graph: clearing a list as it is
  // destroyed would call them back.
  SampleLinks(QWidget& window, SampleList& list, CurveGraph& graph, char decimalMark,
              std::function<ShownResults()> shown);

  // What "Crear informe PDF…" does; without one the item stays disabled.
  void setReportAction(std::function<void()> action);
  // What "Archivo…" does; without one the item stays disabled.
  void setArchiveAction(std::function<void()> action);
  // What the saved picture says beside the graph.
  ChartCaption chartCaption() const;

  QMenu& menu() const { return *menu_; }
  // "Archivo…", which also holds the window's shortcut to it.
  QAction& archiveAction() const { return *archiveAction_; }
  // Whether List1 shows the samples of the graph's curves.
  bool linked() const;
  // The List1 row linked to curve `index`, or -1.
  int rowOfCurve(int index) const;
  // The ternary diagram's window once opened, else null.
  TernaryWindow* ternaryWindow() const;
  // The lot's views' window once opened, else null.
  LotWindow* lotWindow() const;

  void showTernaryWindow();
  void showLotWindow();
  // The calculation is over (its results file is whole), or archived samples are
  // shown: the lot's views read them again.
  void runEnded();
  void saveChart();
  void closeWindows();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void refresh();
  QPoint keyboardMenuPlace(const QAbstractScrollArea& area) const;
  void showMenu(QWidget& over, const QPoint& position);
  void linkLastItem(int curve);
  void unlinkAll();
  void selectCurve(int curve);
  void highlightSelected();
  void updateTernaryWindow();
  void updateLotWindow();

  QWidget& window_;
  SampleList& list_;
  CurveGraph& graph_;
  const char decimalMark_;
  std::function<ShownResults()> shown_;
  std::function<void()> report_;
  std::function<void()> archive_;
  QMenu* menu_;
  QAction* reportAction_;
  QAction* saveChartAction_;
  QAction* ternaryAction_;
  QAction* lotViewAction_;
  QAction* archiveAction_ = nullptr;
  QPointer<TernaryWindow> ternary_;
  QPointer<LotWindow> lot_;
  QSize imageSize_ = kDefaultChartImageSize;
};

}  // namespace granomet
