#include "report/GuiApplication.h"

#include <QGuiApplication>
#include <QtGlobal>
#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace quelmora {

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
  static int argc = 1;
  static char name[] = "quelmora";
  static char* argv[] = {name, nullptr};
  // Start-up notes of the platform (such as a missing runtime folder) are no
  // business of a command-line user; errors still get through.
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
          fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
      });
  // Lives until the process ends: Qt's globals must not be torn down before
  // the last report has been painted, and nothing needs it destroyed.
  new QGuiApplication(argc, argv);
  qInstallMessageHandler(previous);
  // QCoreApplication adopts the environment's locale for the C library.
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace quelmora
