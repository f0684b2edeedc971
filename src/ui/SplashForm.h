#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

class QLabel;

namespace quelmora {

// The picture shown while the main window is being built: a borderless,
// always-on-top window of 1000 x 562 on black, centred on the screen.
//
// Start-up uses it as
//   TSplashForm splash;
//   splash.ShowAndPaint();
//   TMainForm window;   // however long building takes
//   splash.WaitUntilShownFor(TSplashForm::MinimumShowMs);
// and lets it go out of scope before the message loop runs.
class TSplashForm final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int ClientWidth = 1000;
  static constexpr int ClientHeight = 562;
  static constexpr int MinimumShowMs = 900;

  explicit TSplashForm(QWidget* Owner = nullptr);

  // Shows the window and paints it before returning.
  void ShowAndPaint();
  // Milliseconds since the window was first shown; 0 before.
  qint64 ElapsedMs() const;
  // Processes pending events and sleeps 10 ms at a time until the window has
  // been shown for Milliseconds; returns at once when it already has or was
  // never shown.
  void WaitUntilShownFor(int Milliseconds);

  // False only when the built-in picture could not be decoded.
  bool HasPicture() const { return !FPicture.isNull(); }
  const QPixmap& Picture() const { return FPicture; }
  QLabel* Image() const { return FImage; }

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  QLabel* FImage = nullptr;
  QPixmap FPicture;
  QElapsedTimer FShown;
};

// The program icon (the built-in MAINICON picture).
QIcon ProgramIcon();

}  // namespace quelmora
