// granomet: the laboratory's window program.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

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
  granomet::principal window(clock, regional, folder);
  QObject::connect(&window, &granomet::principal::leaveConfirmed, &application,
                   &QApplication::quit);
  window.show();
  return QApplication::exec();
}
