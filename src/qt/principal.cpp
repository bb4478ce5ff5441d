#include "qt/principal.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <algorithm>
#include <cerrno>
#include <fstream>
#include <system_error>

#include "data/file_names.h"
#include "data/lot_table.h"
#include "data/text_encoding.h"
#include "qt/archive_settings.h"
#include "qt/archive_window.h"
#include "qt/curve_graph.h"
#include "qt/help_window.h"
#include "qt/lasting_tool_tip.h"
#include "qt/message_box.h"
#include "qt/qt_file_dialog.h"
#include "qt/qt_text.h"
#include "qt/report_action.h"
#include "qt/sample_links.h"
#include "qt/sample_list.h"
#include "qt/text_box.h"
#include "qt/window_geometry.h"
#include "workflow/batch_run.h"
#include "workflow/export_button.h"
#include "workflow/lot_button.h"
#include "workflow/messages.h"
#include "workflow/shown_results.h"
#if GRANOMET_ARCHIVE
#include "archive/run_archiving.h"
#endif

// The pictures live in this static library's resources, which must be registered
// by name from outside any namespace.
static void registerPictures() {
  Q_INIT_RESOURCE(pictures);
}

namespace granomet {
namespace {

constexpr int kLabelPixels = 11;   // 8.25 pt
constexpr int kBoxPixels = 13;     // 9.75 pt
constexpr int kButtonPixels = 16;  // 12 pt
constexpr Rgb kControlGrey{224, 224, 224};
constexpr QSize kDesignedSize{9000 / kTwipsPerPixel, 7485 / kTwipsPerPixel};

QColor qtColor(Rgb color) {
  return QColor(color.red, color.green, color.blue);
}

void setColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
  QPalette colors = widget->palette();
  colors.setColor(role, color);
  widget->setPalette(colors);
}

QLabel* addLabel(QWidget* parent, const char* name, const QRect& place, const char* text,
                 const QFont& font) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  label->setGeometry(place);
  label->setFont(font);
  label->setTextFormat(Qt::PlainText);
  label->setAutoFillBackground(true);
  setColor(label, QPalette::Window, Qt::white);
  setColor(label, QPalette::WindowText, Qt::black);
  return label;
}

QLabel* addHeading(QWidget* parent, const char* name, const QRect& place, const char* text) {
  return addLabel(parent, name, place, text, windowFont(FontFace::MsSansSerif, kLabelPixels, true));
}

TextBox* addTextBox(QWidget* parent, const char* name, const QRect& place, const char* tip) {
  auto* box = new TextBox(parent);
  box->setObjectName(name);
  box->setGeometry(place);
  box->setToolTip(QString::fromUtf8(tip));
  box->setFont(windowFont(FontFace::MsSansSerif, kBoxPixels, true));
  setColor(box, QPalette::Base, qtColor(kControlGrey));
  return box;
}

// The lot and export buttons: the platform's own button look with a small picture.
QAbstractButton* addOpenButton(QWidget* parent, const char* name, const QRect& place,
                               const char* tip) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  button->setGeometry(place);
  button->setToolTip(QString::fromUtf8(tip));
  button->setIcon(QIcon(":/pictures/open_file.png"));
  button->setIconSize(QSize(16, 16));
  button->setAutoDefault(false);
  return button;
}

QAbstractButton* addPictureButton(QWidget* parent, const char* name, const QRect& place,
                                  const char* picture, int pictureSize, const char* tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setGeometry(place);
  button->setToolTip(QString::fromUtf8(tip));
  button->setIcon(QIcon(picture));
  button->setIconSize(QSize(pictureSize, pictureSize));
  button->setFont(windowFont(FontFace::MsSansSerif, kButtonPixels, true));
  button->setAutoFillBackground(true);
  setColor(button, QPalette::Button, qtColor(kControlGrey));
  return button;
}

// An archived file's name as a name in one folder: its last part, or "resultados.csv"
// where that is no file's name (the archive is a file anyone may have edited).
std::filesystem::path archivedFileName(const std::string& name) {
  const std::string bare = fileNamePart(name);
  if (bare.empty() || bare == "." || bare == ".." || bare.find('\0') != std::string::npos ||
      isDeviceName(typedPath(bare))) {
    return "resultados.csv";
  }
  return typedPath(bare);
}

// The files written one to a folder of their own, numbered, so that runs whose files
// bear one name stay apart; empty, or why not (UTF-8).
std::string writeArchivedFiles(const std::filesystem::path& folder,
                               const std::vector<ArchivedResultsFile>& files,
                               std::vector<std::filesystem::path>& written) {
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::filesystem::path place = folder / std::to_string(i + 1);
    std::error_code failed;
    std::filesystem::create_directory(place, failed);
    const std::filesystem::path file = place / archivedFileName(files[i].name);
    if (failed) {
      return utf8Of(place) + ": " + failed.message();
    }
    std::ofstream out(file, std::ios::binary);
    out.write(files[i].bytes.data(), static_cast<std::streamsize>(files[i].bytes.size()));
    out.close();
    if (!out) {
      return utf8Of(file) + ": " + std::generic_category().message(errno);
    }
    written.push_back(file);
  }
  return {};
}

SampleList* addList(QWidget* parent, const char* name, const QRect& place, Rgb textColor) {
  auto* list = new SampleList(parent, textColor);
  list->setObjectName(name);
  list->setGeometry(place);
  list->setFont(windowFont(FontFace::MsSansSerif, kLabelPixels, false));
  return list;
}

}  // namespace

principal::principal(const Clock& clock, const RegionalSettings& regional, CurrentFolder& folder,
                     ArchiveSettings& archive, std::unique_ptr<FileDialog> dialog)
    : tables_(std::make_unique<Tables>()),
      platform_{clock, regional, folder},
      archive_(archive),
      dialog_(std::move(dialog)),
      stretch_(kDesignedSize) {
  registerPictures();
  if (!dialog_) {
    dialog_ = std::make_unique<QtFileDialog>(this, folder);
  }
  setObjectName("principal");
  setWindowTitle("Granomet 2016 (v5)");
  setWindowIcon(QIcon(":/pictures/window_icon.png"));
  // Designed fixed; it may grow (maximised too) for long names and many samples,
  // but never shrink below its design.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowMinMaxButtonsHint | Qt::CustomizeWindowHint);
  setMinimumSize(kDesignedSize);
  resize(kDesignedSize);
  setAutoFillBackground(true);
  setColor(this, QPalette::Window, Qt::white);
  buildControls(regional.decimalMark());
  keepToolTips(*this);
  resetWindow(*this);
  // The work starts with the lot button.
  lotebutton_->setFocus();
}

principal::~principal() = default;

void principal::buildControls(char decimalMark) {
  addHeading(this, "Label1", twips(210, 120, 2985, 195), "Lote de entrega de muestras (.csv)");
  LOTE_file_ =
      addTextBox(this, "LOTE_file", twips(225, 360, 4185, 345), "doble click para entra fichero");
  lotebutton_ = addOpenButton(this, "lotebutton", twips(4605, 360, 360, 360), "Open CSV (Alt+L)");
  addHeading(this, "Label2", twips(225, 735, 2640, 195), "Fichero Export Laser  (txt, csv)");
  EXPORT_file_ = addTextBox(this, "EXPORT_file", twips(240, 960, 4170, 345),
                            "El fichero debe llamarse igual que el del lote _export.txt");
  exportbutton_ =
      addOpenButton(this, "exportbutton", twips(4605, 960, 360, 360), "Open TXT (Alt+E)");
  addHeading(this, "Label1", twips(225, 1365, 2010, 195), "Fichero de salida (.csv)");
  recalculado_file_ =
      addTextBox(this, "recalculado_file", twips(225, 1635, 4725, 330), "automatico");

  auto* calculation = static_cast<QToolButton*>(addPictureButton(
      this, "calculatot", twips(240, 2130, 990, 1050), ":/pictures/calculation.png", 48, ""));
  calculation->setText(QString::fromUtf8("&Cálculo"));
  calculation->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  calculatot_ = calculation;
  helpbutton_ = addPictureButton(this, "helpbutton", twips(1485, 2160, 480, 495),
                                 ":/pictures/help.png", 32, "AYUDA");
  exitbutton_ = addPictureButton(this, "exitbutton", twips(1470, 2715, 510, 495),
                                 ":/pictures/exit.png", 32, "SALIR");

  List2_ = addList(this, "List2", twips(2325, 2130, 2715, 1035), kRed);
  QLabel* ignored = addHeading(this, "Label6", twips(3720, 3225, 855, 195), "Ignoradas");
  Label11_ = addHeading(this, "Label11", twips(4695, 3240, 345, 195), "0");
  List1_ = addList(this, "List1", twips(5220, 225, 3300, 2985), kBlack);
  QLabel* calculated = addHeading(this, "Label5", twips(7080, 3225, 945, 195), "Calculadas");
  Label10_ = addHeading(this, "Label10", twips(8175, 3225, 360, 255), "0");
  Label8_ = addLabel(this, "Label8", twips(45, 3435, 9630, 270), "",
                     windowFont(FontFace::Arial, kLabelPixels, false));

  CWGraph1_ = new CurveGraph(this, decimalMark);
  const int graphTop = (3435 + 270) / kTwipsPerPixel;
  CWGraph1_->setGeometry(0, graphTop, width(), height() - graphTop);
  // Reached by Tab or a click, so that the menu key and Shift+F10 open its menu.
  CWGraph1_->setFocusPolicy(Qt::StrongFocus);
  stretchControls(*ignored, *calculated);
  links_ = std::make_unique<SampleLinks>(*this, *List1_, *CWGraph1_, decimalMark,
                                         [this] { return shownResults(); });
  connect(this, &principal::leaveConfirmed, links_.get(), &SampleLinks::closeWindows);
  links_->setReportAction([this] {
    createReport(this, archivedFiles_.empty() ? lastRunResults(*tables_) : shownResults(),
                 platform_);
  });
  // Clearing List1 (a lot, an export or a calculation) ends the archived samples' show.
  // Tied to the links, which go before the list is cleared as it is destroyed.
  connect(List1_->model(), &QAbstractItemModel::modelReset, links_.get(),
          [this] { forgetArchivedSamples(); });
#if GRANOMET_ARCHIVE
  links_->setArchiveAction([this] { showArchiveWindow(); });
  // The window's own key to the archive, told beside the menu's item.
  QAction& archiveAction = links_->archiveAction();
  archiveAction.setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
  archiveAction.setShortcutContext(Qt::WindowShortcut);
  addAction(&archiveAction);
  connect(this, &principal::leaveConfirmed, this, [this] {
    if (archiveWindow_) {
      archiveWindow_->close();
    }
  });
#endif

  exportbutton_->setEnabled(false);
  calculatot_->setEnabled(false);
  // The icon buttons have no text to mark a letter in; Cálculo's is marked in its text.
  lotebutton_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_L));
  exportbutton_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_E));

  connect(lotebutton_, &QAbstractButton::clicked, this,
          [this] { press([this] { lotebutton(*tables_, *this, platform_); }); });
  connect(exportbutton_, &QAbstractButton::clicked, this,
          [this] { press([this] { exportbutton(*tables_, *this, platform_); }); });
  connect(calculatot_, &QAbstractButton::clicked, this, [this] {
    press([this] {
      if (calculatot(*tables_, *this, platform_) == RunOutcome::Completed) {
        archiveLastRun();
      }
      links_->runEnded();
    });
  });
  connect(helpbutton_, &QAbstractButton::clicked, this, &principal::showHelp);
  connect(exitbutton_, &QAbstractButton::clicked, this, [this] {
    if (askToLeave()) {
      emit leaveConfirmed();
    }
  });
}

// The left column (file boxes, ignored list) and List1 share the extra width; the
// lists and the graph share the extra height.
void principal::stretchControls(QWidget& ignoredHeading, QWidget& calculatedHeading) {
  constexpr double kHalf = 0.5;
  for (QWidget* box : {static_cast<QWidget*>(LOTE_file_), static_cast<QWidget*>(EXPORT_file_),
                       static_cast<QWidget*>(recalculado_file_)}) {
    stretch_.add(*box, {0, 0, kHalf, 0});
  }
  for (QWidget* button : {lotebutton_, exportbutton_}) {
    stretch_.add(*button, {kHalf, 0, kHalf, 0});
  }
  stretch_.add(*List2_, {0, 0, kHalf, kHalf});
  stretch_.add(*List1_, {kHalf, 0, 1, kHalf});
  for (QWidget* label : {&ignoredHeading, static_cast<QWidget*>(Label11_)}) {
    stretch_.add(*label, {kHalf, kHalf, kHalf, kHalf});
  }
  for (QWidget* label : {&calculatedHeading, static_cast<QWidget*>(Label10_)}) {
    stretch_.add(*label, {1, kHalf, 1, kHalf});
  }
  stretch_.add(*Label8_, {0, kHalf, 1, kHalf});
  stretch_.add(*CWGraph1_, {0, kHalf, 1, 1});
}

void principal::resizeEvent(QResizeEvent* event) {
  stretch_.apply(size());
  fitStatus();
  QWidget::resizeEvent(event);
}

void principal::keyPressEvent(QKeyEvent* event) {
  auto* button = qobject_cast<QAbstractButton*>(focusWidget());
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && button != nullptr &&
      button->isEnabled()) {
    button->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void principal::press(const std::function<void()>& handler) {
  warnings_.startPress();
  handler();
  if (const int heldBack = warnings_.endPress(); heldBack > 0) {
    showMessageBox(this, messages::warningsHeldBack(heldBack));
  }
}

void principal::setReportAction(std::function<void()> action) {
  links_->setReportAction(std::move(action));
}

void principal::showHelp() {
  if (!help_) {
    help_ = new frmAbout(this);
    // Beside this window, else clear of its buttons; its frame as wide as this one's.
    QRect buttons;
    for (const QWidget* button :
         {lotebutton_, exportbutton_, calculatot_, helpbutton_, exitbutton_}) {
      buttons |= QRect(mapToGlobal(button->pos()), button->size());
    }
    const QSize frame = frameGeometry().size() - size();
    const QRect room = screen() != nullptr ? screen()->availableGeometry() : frameGeometry();
    help_->move(helpWindowPlace(frameGeometry(), buttons, help_->size() + frame, room));
  }
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void principal::archiveLastRun() {
#if GRANOMET_ARCHIVE
  const LastRun& last = tables_->lastRun;
  if (!last.completed || last.resultsPath.empty() || !archive_.archivesRuns()) {
    return;
  }
  RunToArchive run;
  run.resultsFile = last.resultsPath;
  run.lotFile = tables_->chosen.lot.path;
  run.exportFile = tables_->chosen.exported.path;
  run.lotName = cp1252ToUtf8(tables_->lot.header.lotName);
  run.when = platform_.clock.now();
  run.decimalMark = platform_.regional.decimalMark();
  run.origin = RunOrigin::Window;
  const RunArchiving archived = archiveRun(archive_.archivePath(), run);
  runStatus_ = Label8_->text() + "  ";
  archivingStatus_ = archived.archived ? QString::fromStdString(archived.text)
                                       : toQString(messages::runNotArchivedStatus());
  fitStatus();
  if (!archived.archived) {
    showMessage(messages::runNotArchivedWarning(archived.text));
  }
  if (archiveWindow_ && archiveWindow_->isVisible()) {
    archiveWindow_->refresh();
  }
#endif
}

void principal::showArchiveWindow() {
#if GRANOMET_ARCHIVE
  if (!archiveWindow_) {
    archiveWindow_ = new ArchiveWindow(
        this, archive_, platform_.regional.decimalMark(),
        [this](std::vector<ArchivedResultsFile> files) { showArchivedSamples(files); });
  }
  archiveWindow_->show();
  archiveWindow_->raise();
  archiveWindow_->activateWindow();
#endif
}

ArchiveWindow* principal::archiveWindow() const {
  return archiveWindow_;
}

void principal::showArchivedSamples(const std::vector<ArchivedResultsFile>& files) {
  if (files.empty()) {
    return;
  }
  // Owner-only (QTemporaryDir makes it so), and gone with the show.
  auto folder = std::make_unique<QTemporaryDir>();
  std::vector<std::filesystem::path> written;
  const std::string failure =
      folder->isValid()
          ? writeArchivedFiles(systemPath(folder->path()), files, written)
          : utf8Of(systemPath(folder->path())) + ": " + folder->errorString().toStdString();
  if (!failure.empty()) {
    showMessage(messages::archivedSamplesUnshown(failure));
    return;
  }
  // Read from the files written, as the lot's views and the report read them.
  const ResultsSet results = readResultsFiles(written);
  if (!results.problems.empty()) {
    std::string problems;
    for (const std::string& problem : results.problems) {
      problems += (problems.empty() ? "" : "\n") + problem;
    }
    showMessage(messages::archivedSamplesUnshown(problems));
    return;
  }
  // The graph draws a lot's samples at most, and the views link to its curves.
  if (results.samples() > kMaxSamples) {
    showMessage(messages::tooManyArchivedSamples(results.samples(), kMaxSamples));
    return;
  }
  // Clearing List1 forgets the samples shown before; these are kept from here on.
  showArchivedResults(results, *this);
  archivedFolder_ = std::move(folder);
  archivedFiles_ = std::move(written);
  links_->runEnded();
}

void principal::forgetArchivedSamples() {
  archivedFiles_.clear();
  archivedFolder_.reset();
}

void principal::fitStatus() {
  if (archivingStatus_.isEmpty()) {
    return;
  }
  // The line runs past the window's edge at its designed size: what shows is what fits.
  const QFontMetrics metrics = Label8_->fontMetrics();
  const QRect inside = Label8_->contentsRect();
  const int room = std::min(inside.right(), width() - 1 - Label8_->x()) - inside.left() -
                   metrics.horizontalAdvance(runStatus_);
  const QString archiving = metrics.elidedText(archivingStatus_, Qt::ElideMiddle, room);
  Label8_->setText(runStatus_ + archiving);
  Label8_->setToolTip(archiving == archivingStatus_ ? QString() : runStatus_ + archivingStatus_);
}

ShownResults principal::shownResults() const {
  if (!archivedFiles_.empty()) {
    // What is made of them is proposed where the user works, never in the private folder.
    ShownResults shown;
    shown.files = archivedFiles_;
    shown.nameBeside = platform_.folder.path() / archivedFiles_.front().filename();
    return shown;
  }
  // The results file resolved as the run resolves it.
  const std::filesystem::path results =
      platform_.folder.resolve(typedPath(text(TextBoxId::recalculado_file)));
  ShownResults shown;
  shown.files = {results};
  shown.nameBeside = results;
  shown.lotName = tables_->lot.header.lotName;
  shown.afterRun = true;
  return shown;
}

bool principal::askToLeave() {
  if (showMessageBox(this, messages::finishedQuestion()) != MessageAnswer::Yes) {
    return false;
  }
  leaving_ = true;
  // No file stays open between button presses, so there is nothing else to close.
  if (help_) {
    help_->close();
  }
  return true;
}

void principal::closeEvent(QCloseEvent* event) {
  // Quitting closes the windows once more after a Yes: that close asks nothing.
  if (leaving_) {
    event->accept();
    return;
  }
  if (!askToLeave()) {
    event->ignore();
    return;
  }
  event->accept();
  emit leaveConfirmed();
}

TextBox* principal::box(TextBoxId id) const {
  switch (id) {
    case TextBoxId::LOTE_file:
      return LOTE_file_;
    case TextBoxId::EXPORT_file:
      return EXPORT_file_;
    case TextBoxId::recalculado_file:
      break;
  }
  return recalculado_file_;
}

SampleList* principal::list(ListId id) const {
  return id == ListId::List1 ? List1_ : List2_;
}

QLabel* principal::label(LabelId id) const {
  switch (id) {
    case LabelId::Label8:
      return Label8_;
    case LabelId::Label10:
      return Label10_;
    case LabelId::Label11:
      break;
  }
  return Label11_;
}

std::string principal::text(TextBoxId id) const {
  return box(id)->programText();
}

void principal::setText(TextBoxId id, std::string text) {
  box(id)->setProgramText(std::move(text));
}

void principal::clearList(ListId id) {
  list(id)->clear();
}

void principal::addItem(ListId id, std::string item) {
  list(id)->addProgramItem(std::move(item));
}

void principal::addItemWithReason(ListId id, std::string item, std::string reason) {
  list(id)->addProgramItem(std::move(item), std::move(reason));
}

int principal::itemCount(ListId id) const {
  return list(id)->count();
}

std::string principal::item(ListId id, int position) const {
  return list(id)->programItem(position);
}

void principal::setListTextColor(ListId id, Rgb color) {
  list(id)->setTextColor(color);
}

void principal::setLabelText(LabelId id, std::string text) {
  label(id)->setText(toQString(text));
  if (id == LabelId::Label8) {
    runStatus_.clear();
    archivingStatus_.clear();
    Label8_->setToolTip({});
  }
}

void principal::setLabelTextColor(LabelId id, Rgb color) {
  setColor(label(id), QPalette::WindowText, qtColor(color));
}

void principal::setLabelBackColor(LabelId id, Rgb color) {
  setColor(label(id), QPalette::Window, qtColor(color));
}

void principal::setLabelToolTip(LabelId id, std::string tip) {
  label(id)->setToolTip(toQString(tip));
}

void principal::setEnabled(ButtonId id, bool enabled) {
  (id == ButtonId::exportbutton ? exportbutton_ : calculatot_)->setEnabled(enabled);
}

MessageAnswer principal::showMessage(const MessageRequest& request) {
  if (!warnings_.passes(request)) {
    return defaultAnswer(request);
  }
  return showMessageBox(this, request);
}

Graph& principal::graph() {
  return *CWGraph1_;
}

}  // namespace granomet
