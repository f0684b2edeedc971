// The desktop program: splash while the main window is built, then the window.
#include <QApplication>
#include <QMessageBox>
#include <clocale>
#include <cstdio>
#include <exception>
#include <string_view>

#include "l10n/Localization.h"
#include "l10n/QtTranslations.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "ui/MainForm.h"
#include "ui/SplashForm.h"
#include "ui/UserDialogs.h"
#include "ui/WindowFiles.h"

namespace {

int RunProgram(QApplication& app) {
  using namespace quelmora;
  // Russian is current before any window exists.
  CurrentLanguageFile();
  // One name in every language: Qt appends it to each window title, so a
  // title that ends with it never grows on a switch of language.
  QApplication::setApplicationDisplayName(QString::fromUtf8(ProgramName));
  QApplication::setWindowIcon(ProgramIcon());

  TQtUserDialogs dialogs;
  std::unique_ptr<TMainForm> window;
  {
    TSplashForm splash;
    splash.ShowAndPaint();
    window = std::make_unique<TMainForm>(dialogs);
    // The window has taken its language (InitLanguage); Qt's own buttons and
    // file dialogs follow it.
    ApplyQtTranslations(CurrentLanguageFile());
    splash.WaitUntilShownFor(TSplashForm::MinimumShowMs);
  }
  window->show();
  // quelmora FILE.vld: the project opens in the window already shown, so an
  // error box has its window behind it.
  OpenFileAtStart(*window, QApplication::arguments());
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before any window system is needed, as a terminal user expects.
  for (int i = 1; i < argc; ++i)
    if (std::string_view(argv[i]) == "--version") {
      std::printf("quelmora %s\n", QUELMORA_VERSION);
      return 0;
    }
  QApplication app(argc, argv);
  // Qt takes the user's locale for the C library too; files and keys are
  // written with a point whatever the user's separator is.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("quelmora"));
  QApplication::setOrganizationName(QStringLiteral("Osterlin"));
  try {
    return RunProgram(app);
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QApplication::applicationDisplayName(),
                          quelmora::ErrorMessageText(e));
  }
  return 1;
}
