#pragma once

#include <QWidget>
#include <functional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quelmora {

// The band above the actions: the run's progress, the status text and
// Cancel.
class TStatusBand final : public QWidget {
  Q_OBJECT

 public:
  // RunCommand carries out the Cancel button's command.
  TStatusBand(QWidget* Parent, const std::function<void(int Code)>& RunCommand);

  // Render gives the status in the current language; it is called again on
  // a change of language, so the line never keeps an old language's words.
  using TStatusText = std::function<std::string()>;
  void SetStatus(TStatusText Render);
  void ApplyTexts();
  void SetProgress(int Percent);
  // Cancel is enabled while a run goes on.
  void SetRunning(bool Running);

 private:
  QProgressBar* FProgress = nullptr;
  QLabel* FStatus = nullptr;
  QPushButton* FCancel = nullptr;
  TStatusText FRender;
};

}  // namespace quelmora
