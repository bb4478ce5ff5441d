// A shown main window in a temporary folder: its file dialog answered by the test, its message
// boxes by a ModalAnswerer, its archive settings and archive its own.
#pragma once

#include <QAbstractButton>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>

#include "headless/fixed_clock.h"
#include "headless/fixed_regional_settings.h"
#include "headless/headless_file_dialog.h"
#include "qt/archive_settings.h"
#include "qt/principal.h"
#include "samplegen/sample_files.h"
#include "support/modal_answerer.h"
#include "ui/remembered_folder.h"

namespace granomet::tools {

class ShownPrincipal {
 public:
  // True once the window is shown on the screen. Its runs go into the archive only
  // where archivesRuns says so: into folder()/datos/granomet/archivo.gpkg, the default
  // place its settings (folder()/ajustes.ini) give, whatever the user's are.
  bool open(bool archivesRuns = false) {
    dir_ = std::make_unique<QTemporaryDir>();
    current_ = std::make_unique<RememberedFolder>(folder());
    archive_ = std::make_unique<ArchiveSettings>(
        [data = (folder() / "datos").string()](std::string_view name) {
          return name == "XDG_DATA_HOME" ? std::optional<std::string>(data) : std::nullopt;
        },
        folder() / "ajustes.ini");
    archive_->setArchivesRuns(archivesRuns);
    auto dialog = std::make_unique<HeadlessFileDialog>(*current_);
    dialog_ = dialog.get();
    window_ =
        std::make_unique<principal>(clock_, regional_, *current_, *archive_, std::move(dialog));
    window_->show();
    boxes_ = std::make_unique<ModalAnswerer>();
    return dir_->isValid() && QTest::qWaitForWindowExposed(window_.get());
  }
  void close() {
    boxes_.reset();
    window_.reset();
    archive_.reset();
    current_.reset();
    dir_.reset();
  }

  std::filesystem::path folder() const { return std::filesystem::path(dir_->path().toStdString()); }
  QString inFolder(const QString& name) const { return QDir(dir_->path()).filePath(name); }
  principal& window() const { return *window_; }
  HeadlessFileDialog& dialog() const { return *dialog_; }
  ModalAnswerer& boxes() const { return *boxes_; }
  const FixedClock& clock() const { return clock_; }
  ArchiveSettings& archive() const { return *archive_; }

  void press(const char* button) const {
    QTest::mouseClick(window_->findChild<QAbstractButton*>(button), Qt::LeftButton);
  }
  // Presses the lot or export button, its dialog answering with the file (nullopt: cancelled).
  void pressWith(const char* button, std::optional<std::filesystem::path> file) const {
    dialog_->queueAnswer(std::move(file));
    press(button);
  }
  // Writes options' sample files here, then does their first steps of: reading the lot, reading
  // the export, calculating.
  void readSamples(const SampleFileOptions& options, int steps = 3) const {
    writeSampleFiles(options, folder());
    const std::string lot = (folder() / options.lotName).string();
    for (int step = 0; step < std::min(steps, 2); ++step) {
      pressWith(step == 0 ? "lotebutton" : "exportbutton",
                lot + (step == 0 ? ".csv" : "_export.txt"));
    }
    if (steps > 2) {
      press("calculatot");
    }
  }

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<RememberedFolder> current_;
  std::unique_ptr<ArchiveSettings> archive_;
  FixedClock clock_{{2016, 6, 6, 9, 30, 5}};
  FixedRegionalSettings regional_{','};
  HeadlessFileDialog* dialog_ = nullptr;
  std::unique_ptr<principal> window_;
  std::unique_ptr<ModalAnswerer> boxes_;
};

}  // namespace granomet::tools
