#pragma once

#include <functional>

class QPushButton;
class QWidget;

namespace quelmora {

// Command codes of the main window's buttons.
enum TMainCommand : int {
  cmdImport = 1,
  cmdAdd = 2,
  cmdEdit = 3,
  cmdDelete = 4,
  cmdAllParameters = 5,
  cmdRun = 6,
  cmdSave = 7,
  cmdOpen = 8,
  cmdExport = 9,
  cmdClose = 10,
  cmdCancel = 11,
  cmdReport = 12,
  cmdNew = 13,
  cmdSaveAs = 14,
  cmdQuit = 15,
  cmdUndo = 16,
  cmdRedo = 17,
  cmdAbout = 18,
};

// A button for command Code at (Left, 8), Width wide; a click hands Code to
// Run, the one place where commands are carried out.
QPushButton* AddCommandButton(QWidget* Parent, const char* Caption, int Left, int Width, int Code,
                              const std::function<void(int Code)>& Run);

// The button of command Code under Root, or null.
QPushButton* FindCommandButton(const QWidget* Root, int Code);

}  // namespace quelmora
