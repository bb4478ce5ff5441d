// granomet: the laboratory's window program.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <optional>
#include <string>
#include <string_view>

#include "qt/archive_settings.h"
#include "qt/principal.h"
#include "ui/remembered_folder.h"
#include "ui/system_clock.h"
#include "ui/system_regional_settings.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  application.setApplicationName("Granomet");
  // The menu entry's name: the desktop matches the window with its entry and icon.
  QApplication::setDesktopFileName(QStringLiteral(GRANOMET_APP_ID));

  // The program speaks Spanish whatever the session's language: Qt's own buttons
  // and dialogs (Sí, No, Abrir, Cancelar) must match the window's texts.
  QTranslator qtTexts;
  if (qtTexts.load("qtbase_es", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }

  const granomet::SystemClock clock;
  const granomet::SystemRegionalSettings regional;
  granomet::RememberedFolder folder;
  // The archive's default place from the process's environment, read as Qt reads it
  // (in UTF-8 whatever the system's code page).
  granomet::ArchiveSettings archive([](std::string_view name) -> std::optional<std::string> {
    const std::string variable(name);
    if (!qEnvironmentVariableIsSet(variable.c_str())) {
      return std::nullopt;
    }
    return qEnvironmentVariable(variable.c_str()).toStdString();
  });
  granomet::principal window(clock, regional, folder, archive);
  QObject::connect(&window, &granomet::principal::leaveConfirmed, &application,
                   &QApplication::quit);
  window.show();
  return QApplication::exec();
}
