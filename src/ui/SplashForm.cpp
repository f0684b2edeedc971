#include "ui/SplashForm.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QThread>

#include "l10n/TranslateControl.h"
#include "model/AppStrings.h"

// The pictures live in a static library, whose resource initialiser the linker
// would drop: it is run by hand before the first look-up.
static void InitProgramResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(quelmora);
    return true;
  }();
  (void)done;
}

namespace quelmora {

TSplashForm::TSplashForm(QWidget* Owner)
    : QWidget(Owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  InitProgramResources();
  setFixedSize(ClientWidth, ClientHeight);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::black);
  setPalette(colours);
  setAutoFillBackground(true);

  FImage = new QLabel(this);
  MarkLiteral(FImage);
  FImage->setGeometry(0, 0, ClientWidth, ClientHeight);
  FImage->setAlignment(Qt::AlignCenter);
  const QPixmap picture(QStringLiteral(":/SPLASH"), "JPG");
  if (!picture.isNull()) {
    FPicture = picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    FImage->setPixmap(FPicture);
  } else {
    // Without the picture the program still starts; the name is shown instead.
    FImage->setStyleSheet(QStringLiteral("color: white; font-size: 48pt;"));
    FImage->setText(QString::fromUtf8(ProgramName));
  }

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void TSplashForm::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!FShown.isValid()) FShown.start();
}

void TSplashForm::ShowAndPaint() {
  show();
  raise();
  repaint();
  QCoreApplication::processEvents();
}

qint64 TSplashForm::ElapsedMs() const {
  return FShown.isValid() ? FShown.elapsed() : 0;
}

void TSplashForm::WaitUntilShownFor(int Milliseconds) {
  if (!FShown.isValid()) return;  // never shown: nothing to keep up
  while (ElapsedMs() < Milliseconds) {
    QCoreApplication::processEvents();
    QThread::msleep(10);
  }
}

QIcon ProgramIcon() {
  InitProgramResources();
  return QIcon(QStringLiteral(":/MAINICON"));
}

}  // namespace quelmora
