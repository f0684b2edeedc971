// The window's menus and what it does with files: recent files, Save to the
// project's own file, New, drops, the title and the states of the menu items.
#include <QAbstractButton>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPushButton>

#include "l10n/RecentFiles.h"
#include "model/AppStrings.h"
#include "model/TextFormat.h"
#include "ui/MainForm.h"
#include "ui/MainMenu.h"
#include "ui/Mnemonics.h"
#include "ui/ProductGridWidget.h"
#include "ui/UiText.h"
#include "ui/UserDialogs.h"
#include "ui/WindowFiles.h"

namespace quelmora {

namespace {

std::string S(const QString& text) {
  return text.toStdString();
}

}  // namespace

QAction* TMainForm::MenuAction(int Code) const {
  return FMenu->Action(Code);
}

// Menu titles first, then the buttons, each with a letter of its own.
void TMainForm::ApplyMnemonics() {
  QString used;
  FMenu->ApplyTexts(used);
  std::vector<QAbstractButton*> buttons;
  for (int code = cmdImport; code <= cmdAbout; ++code)
    if (QPushButton* button = CommandButton(code)) buttons.push_back(button);
  WithMnemonics(buttons, used);
}

void TMainForm::OpenFile(const QString& FileName) {
  FWorkspace.Open(S(FileName));
  ShowProject();
  ClearResults();
  RememberRecentFile(FWorkspace.FileName());
}

bool TMainForm::OpenProjectFile(const QString& FileName) {
  FGrid->CommitPendingEdit();
  return Guarded([&] { OpenFile(FileName); });
}

void TMainForm::OpenRecentFile(const QString& FileName) {
  FGrid->CommitPendingEdit();
  Guarded([&] {
    if (!QFileInfo::exists(FileName)) {
      FMenu->SetRecentFiles(ForgetRecentFile(FileName));
      FDialogs.ShowError(this, Utf8(FormatArgs(Tr(SRecentFileMissing), {S(FileName)})));
      return;
    }
    if (ConfirmSaveChanges()) OpenFile(FileName);
  });
}

void TMainForm::RememberRecentFile(const std::string& FileName) {
  FMenu->SetRecentFiles(RememberRecentFileIn(FileName));
}

void TMainForm::NewProject() {
  if (!ConfirmSaveChanges()) return;
  FWorkspace.NewFromSample();
  ShowProject();
  ClearResults();
  SetStatus(SReadyToCalculate);
}

void TMainForm::ShowAbout() {
  FDialogs.ShowInfo(this, AboutText());
}

bool TMainForm::SaveProject() {
  if (FWorkspace.FileName().empty()) return SaveProjectAs();
  CollectProject();
  FWorkspace.Save();
  SetStatus(SFileSaved);
  RememberRecentFile(FWorkspace.FileName());
  StateChanged();
  return true;
}

void TMainForm::dragEnterEvent(QDragEnterEvent* Event) {
  if (!Busy() && !DroppableFile(Event->mimeData()).isEmpty()) Event->acceptProposedAction();
}

// A project replaces the current one after the unsaved-changes question; a
// CSV file adds its products as the import does.
void TMainForm::dropEvent(QDropEvent* Event) {
  const QString fileName = DroppableFile(Event->mimeData());
  if (Busy() || fileName.isEmpty()) return;
  Event->acceptProposedAction();
  FGrid->CommitPendingEdit();
  Guarded([&] {
    if (DropKindOf(fileName) == TDropKind::Project) {
      if (ConfirmSaveChanges()) OpenFile(fileName);
    } else {
      CollectProject();
      ImportFile(fileName);
    }
  });
}

void TMainForm::StateChanged() {
  if (!FMenu || !FExport) return;
  setWindowTitle(WindowTitleText(FWorkspace.FileName(), Modified()));
  TMenuState state;
  state.Busy = Busy();
  state.HasResult = FExport->isEnabled();
  state.CanUndo = CanUndo();
  state.CanRedo = CanRedo();
  FMenu->SetState(state);
}

}  // namespace quelmora
