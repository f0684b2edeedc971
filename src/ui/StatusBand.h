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

  void SetStatus(const std::string& Text);
  void SetProgress(int Percent);
  // Cancel is enabled while a run goes on.
  void SetRunning(bool Running);

 private:
  QProgressBar* FProgress = nullptr;
  QLabel* FStatus = nullptr;
  QPushButton* FCancel = nullptr;
};

}  // namespace quelmora
