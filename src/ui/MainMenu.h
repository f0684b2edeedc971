#pragma once

#include <QMenuBar>
#include <functional>
#include <string>
#include <vector>

class QAction;

namespace quelmora {

// What decides which menu commands are possible.
struct TMenuState {
  bool Busy = false;       // a calculation is running
  bool HasResult = false;  // a result with boxes is shown
  bool CanUndo = false;
  bool CanRedo = false;
};

// The main window's menus. Every item hands its command code to Run, the
// window's one place for commands; a recent file goes to OpenRecent.
class TMainMenu final : public QMenuBar {
  Q_OBJECT

 public:
  TMainMenu(QWidget* Window, std::function<void(int Code)> Run,
            std::function<void(const QString& FileName)> OpenRecent);

  // Captions in the current language, each menu with mnemonics of its own;
  // the titles' letters are added to Used so the buttons can avoid them.
  void ApplyTexts(QString& Used);
  void SetRecentFiles(const std::vector<std::string>& Files);
  void SetState(const TMenuState& State);

  // The item of command Code, or null.
  QAction* Action(int Code) const;
  QMenu* RecentMenu() const { return FRecent; }

 private:
  QMenu* AddMenu(const char* Title);
  QAction* AddItem(QMenu* Menu, int Code, const char* Caption, bool Ellipsis,
                   const QList<QKeySequence>& Keys = {});

  QWidget* FWindow;
  std::function<void(int)> FRun;
  std::function<void(const QString&)> FOpenRecent;
  QMenu* FRecent = nullptr;
  std::vector<std::string> FRecentFiles;
};

}  // namespace quelmora
