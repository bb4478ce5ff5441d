#include "qt/sample_links.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

#include "data/file_names.h"
#include "qt/curve_graph.h"
#include "qt/lot_window.h"
#include "qt/qt_text.h"
#include "qt/sample_list.h"
#include "qt/ternary_window.h"
#include "workflow/messages.h"
#include "workflow/run_lot_view.h"

namespace granomet {
namespace {

QAction* addAction(QMenu& menu, const char* name, const std::string& text) {
  QAction* action = menu.addAction(toQString(text));
  action->setObjectName(name);
  return action;
}

}  // namespace

SampleLinks::SampleLinks(QWidget& window, SampleList& list, CurveGraph& graph, char decimalMark,
                         std::function<ShownResults()> shown)
    : window_(window),
      list_(list),
      graph_(graph),
      decimalMark_(decimalMark),
      shown_(std::move(shown)),
      menu_(new QMenu(&window)),
      reportAction_(addAction(*menu_, "reportAction", messages::reportMenuItem())),
      saveChartAction_(addAction(*menu_, "saveChartAction", messages::saveChartMenuItem())),
      ternaryAction_(addAction(*menu_, "ternaryAction", messages::ternaryMenuItem())),
      lotViewAction_(addAction(*menu_, "lotViewAction", messages::lotViewMenuItem())) {
  setObjectName("sampleLinks");
  menu_->setObjectName("graphMenu");
  connect(reportAction_, &QAction::triggered, this, [this] {
    if (report_ && linked()) {
      report_();
    }
  });
  connect(saveChartAction_, &QAction::triggered, this, &SampleLinks::saveChart);
  connect(ternaryAction_, &QAction::triggered, this, &SampleLinks::showTernaryWindow);
  connect(lotViewAction_, &QAction::triggered, this, &SampleLinks::showLotWindow);
  // Apart from the run's items: the archive is there with or without a run.
  menu_->addSeparator();
  archiveAction_ = addAction(*menu_, "archiveAction", messages::archiveMenuItem());
  connect(archiveAction_, &QAction::triggered, this, [this] {
    if (archive_) {
      archive_();
    }
  });

  // Both lists of the window scroll: their menu positions are the viewport's.
  for (QAbstractScrollArea* area :
       {static_cast<QAbstractScrollArea*>(&graph_), static_cast<QAbstractScrollArea*>(&list_)}) {
    area->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(area, &QWidget::customContextMenuRequested, this,
            [this, area](const QPoint& position) { showMenu(*area->viewport(), position); });
    area->installEventFilter(this);
  }

  connect(&graph_, &CurveGraph::runStarted, this, [this] {
    unlinkAll();
    updateTernaryWindow();
  });
  connect(&graph_, &CurveGraph::curveAdded, this, [this](int curve) {
    linkLastItem(curve);
    updateTernaryWindow();
  });
  connect(&graph_, &CurveGraph::curveHovered, this, &SampleLinks::selectCurve);
  connect(&list_, &QListWidget::itemSelectionChanged, this, &SampleLinks::highlightSelected);
  // Clearing List1 takes the links with its items.
  connect(list_.model(), &QAbstractItemModel::modelReset, this, &SampleLinks::refresh);
  connect(list_.model(), &QAbstractItemModel::rowsRemoved, this, &SampleLinks::refresh);
  refresh();
}

void SampleLinks::setReportAction(std::function<void()> action) {
  report_ = std::move(action);
  refresh();
}

void SampleLinks::setArchiveAction(std::function<void()> action) {
  archive_ = std::move(action);
  refresh();
}

ChartCaption SampleLinks::chartCaption() const {
  ChartCaption caption;
  const ShownResults shown = shown_();
  caption.title =
      toQString(messages::chartImageTitle(shown.lotName, displayName(shown.nameBeside)));
  for (const PlottedSample& sample : graph_.samples()) {
    caption.curves.push_back({toQString(sample.name), sample.color});
  }
  const int highlighted = graph_.highlightedCurve();
  if (highlighted >= 0 && highlighted < static_cast<int>(caption.curves.size())) {
    caption.highlighted = caption.curves[static_cast<std::size_t>(highlighted)];
  }
  return caption;
}

bool SampleLinks::linked() const {
  return graph_.curveCount() > 0 && rowOfCurve(0) >= 0;
}

int SampleLinks::rowOfCurve(int index) const {
  for (int row = 0; row < list_.count(); ++row) {
    if (index >= 0 && list_.itemCurve(row) == index) {
      return row;
    }
  }
  return -1;
}

TernaryWindow* SampleLinks::ternaryWindow() const {
  return ternary_;
}

LotWindow* SampleLinks::lotWindow() const {
  return lot_;
}

void SampleLinks::refresh() {
  const bool run = linked();
  reportAction_->setEnabled(run && static_cast<bool>(report_));
  saveChartAction_->setEnabled(run);
  ternaryAction_->setEnabled(run);
  lotViewAction_->setEnabled(run);
  archiveAction_->setEnabled(static_cast<bool>(archive_));
  graph_.setPointerHint(run ? toQString(messages::graphMenuHint()) : QString());
}

void SampleLinks::showMenu(QWidget& over, const QPoint& position) {
  refresh();
  menu_->popup(over.mapToGlobal(position));
}

QPoint SampleLinks::keyboardMenuPlace(const QAbstractScrollArea& area) const {
  if (&area == &list_ && list_.currentItem() != nullptr) {
    const QRect current = list_.visualItemRect(list_.currentItem());
    if (list_.viewport()->rect().intersects(current)) {
      return current.center();
    }
  }
  return area.viewport()->rect().center();
}

bool SampleLinks::eventFilter(QObject* watched, QEvent* event) {
  // The menu key and Shift+F10, the keyboard's two ways to the menu, open it where
  // the keyboard works: at the current item, or amid the graph.
  bool fromKeyboard = false;
  if (event->type() == QEvent::ContextMenu) {
    fromKeyboard = static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
  } else if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    fromKeyboard = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
  }
  if (!fromKeyboard) {
    return QObject::eventFilter(watched, event);
  }
  const auto& area = static_cast<const QAbstractScrollArea&>(*watched);
  showMenu(*area.viewport(), keyboardMenuPlace(area));
  return true;
}

void SampleLinks::linkLastItem(int curve) {
  if (list_.count() > 0) {
    list_.setItemCurve(list_.count() - 1, curve);
  }
  refresh();
}

void SampleLinks::unlinkAll() {
  for (int row = 0; row < list_.count(); ++row) {
    list_.setItemCurve(row, -1);
  }
  refresh();
}

void SampleLinks::selectCurve(int curve) {
  const int row = rowOfCurve(curve);
  if (row >= 0 && row != list_.currentRow()) {
    list_.setCurrentRow(row);
    list_.scrollToItem(list_.item(row));
  }
}

void SampleLinks::highlightSelected() {
  const QList<QListWidgetItem*> selected = list_.selectedItems();
  const int index = selected.isEmpty() ? -1 : list_.itemCurve(list_.row(selected.front()));
  graph_.highlightCurve(index);
  if (ternary_) {
    ternary_->highlightSample(index);
  }
  if (lot_ && lot_->linked()) {
    lot_->highlightSample(index);
  }
}

void SampleLinks::updateTernaryWindow() {
  if (ternary_) {
    ternary_->setSamples(graph_.samples());
    ternary_->highlightSample(graph_.highlightedCurve());
  }
}

void SampleLinks::showTernaryWindow() {
  if (!linked()) {
    return;
  }
  if (!ternary_) {
    ternary_ = new TernaryWindow(&window_);
    connect(ternary_, &TernaryWindow::sampleHovered, this, &SampleLinks::selectCurve);
  }
  updateTernaryWindow();
  ternary_->show();
  ternary_->raise();
  ternary_->activateWindow();
}

void SampleLinks::runEnded() {
  if (lot_) {
    updateLotWindow();
  }
}

void SampleLinks::updateLotWindow() {
  std::vector<std::string> curveNames;
  for (const PlottedSample& sample : graph_.samples()) {
    curveNames.push_back(sample.name);
  }
  const ShownResults shown = shown_();
  lot_->setLot(runLotView(shown.files, shown.lotName, curveNames), shown.lotName, shown.nameBeside);
  if (lot_->linked()) {
    lot_->highlightSample(graph_.highlightedCurve());
  }
}

void SampleLinks::showLotWindow() {
  if (!linked()) {
    return;
  }
  if (!lot_) {
    lot_ = new LotWindow(&window_, decimalMark_);
    // A point's sample is its curve's: selecting its item highlights it everywhere.
    connect(lot_, &LotWindow::sampleClicked, this, &SampleLinks::selectCurve);
  }
  updateLotWindow();
  lot_->show();
  lot_->raise();
  lot_->activateWindow();
}

void SampleLinks::saveChart() {
  if (linked()) {
    saveChartImage(&window_, *graph_.chart(), chartCaption(),
                   proposedChartImage(shown_().nameBeside), imageSize_);
  }
}

void SampleLinks::closeWindows() {
  if (ternary_) {
    ternary_->close();
  }
  if (lot_) {
    lot_->close();
  }
}

}  // namespace granomet
