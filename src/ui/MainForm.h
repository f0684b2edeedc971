#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "l10n/Localization.h"
#include "model/OptimizationModel.h"
#include "ui/MainCommands.h"
#include "ui/WindowParts.h"
#include "workspace/Workspace.h"

class QAction;
class QPushButton;
class QTimer;

namespace quelmora {

class IUserDialogs;
class TParametersPanel;
class TProductGridWidget;
class TProductTableModel;
class TResultsPanel;
class TStatusBand;
class TWindowHeader;
class TMainMenu;

// The dialogs the window opens for one product and for all settings; the
// real ones unless a test puts its own.
struct TMainFormEditors {
  std::function<bool(QWidget*, TProduct&, IUserDialogs&)> EditProduct;
  std::function<bool(QWidget*, TOptimizationSettings&, IUserDialogs&)> EditSettings;
};

TMainFormEditors DefaultMainFormEditors();

// The program's one window: the product grid, the quick parameters, the
// result views and the commands, over the workspace holding the project,
// the last result and the background calculation.
class TMainForm final : public QWidget {
  Q_OBJECT

 public:
  explicit TMainForm(IUserDialogs& Dialogs, QWidget* Owner = nullptr);
  TMainForm(IUserDialogs& Dialogs, TMainFormEditors Editors, QWidget* Owner = nullptr);
  ~TMainForm() override;

  const TProjectData& Project() const { return FWorkspace.Project(); }
  const TOptimizationResult& Result() const { return FWorkspace.Result(); }
  bool Modified() const { return FWorkspace.Modified(); }
  bool Busy() const { return FWorkspace.Running(); }
  bool CanUndo() const { return !Busy() && FWorkspace.CanUndo(); }
  bool CanRedo() const { return !Busy() && FWorkspace.CanRedo(); }

  // The button with a command code, or null.
  QPushButton* CommandButton(int Code) const;

  // Grid rows as the user sees them: row 0 the header, data from row 1.
  bool ReadGridRow(int Row, TProduct& Product, bool Strict) const;
  bool IsCellValid(int Column, int Row) const;
  int NextProductId() const;

  // Runs a command as its button would, inside the error guard.
  void RunCommand(int Code);

  // The menu item of a command code, or null.
  QAction* MenuAction(int Code) const;
  // Opens FileName as the project, without asking about unsaved changes; a
  // failure is shown and the project stays. False then.
  bool OpenProjectFile(const QString& FileName);

 protected:
  void closeEvent(QCloseEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void dragEnterEvent(QDragEnterEvent* Event) override;
  void dropEvent(QDropEvent* Event) override;

 private:
  // Construction.
  void BuildWindow();
  QWidget* BuildInputPanel();
  QWidget* BuildActions();
  QPushButton* AddButton(QWidget* Parent, const char* Caption, int Left, int Width, int Code);

  // Language.
  void LanguageChange(const std::string& FileName);
  void ApplyTexts();

  // Commands.
  void ImportProducts();
  void AddProduct();
  void EditProduct();
  void DeleteProduct();
  void EditAllParameters();
  void StartCalculation();
  void OpenProject();
  void ExportResults();
  void WriteReport();
  void SetBusy(bool Busy);
  void TimerTick();
  bool SaveProjectAs();
  bool SaveProject();
  void NewProject();
  void OpenFile(const QString& FileName);
  void OpenRecentFile(const QString& FileName);
  void ImportFile(const QString& FileName);
  void RememberRecentFile(const std::string& FileName);
  void ShowAbout();
  void ApplyMnemonics();
  bool ConfirmSaveChanges();
  bool FormCloseQuery();
  // Shows an error box for whatever Action raises; false then.
  bool Guarded(const std::function<void()>& Action);

  // Project, grid and results.
  void ShowProject();
  void ShowResults();
  void GridDblClick();
  // Controls into the project: quick parameters, sort flag, criterion and
  // every grid row except SkipRow (from 0); raises and stores nothing when
  // one cannot be taken over.
  void CollectProject(int SkipRow = -1);
  void ChangeProducts(const std::function<void(std::vector<TProduct>&)>& Change);
  void MarkModified();
  // The project as it stands is one undo step; the result is dropped.
  void RecordStep();
  // What TakeOver puts into a copy of the project becomes one undo step.
  void TakeOverStep(const std::function<bool(TProjectData&)>& TakeOver);
  void StepHistory(bool Back);
  // Title and menu states after anything that changes them.
  void StateChanged();
  void ClearResults();
  // A catalogue text, or a function that puts the status into the current
  // language: the band renders it again on a change of language.
  void SetStatus(const char* Key);
  void SetStatus(std::function<std::string()> Render);

  IUserDialogs& FDialogs;
  TMainFormEditors FEditors;
  TWorkspace FWorkspace;

  TProductTableModel* FProducts = nullptr;
  TProductGridWidget* FGrid = nullptr;
  TWindowHeader* FHeader = nullptr;
  QWidget* FInputPanel = nullptr;
  TParametersPanel* FParameters = nullptr;
  TResultsPanel* FResults = nullptr;
  QWidget* FActions = nullptr;
  TStatusBand* FStatusBand = nullptr;
  TMainMenu* FMenu = nullptr;
  QTimer* FTimer = nullptr;
  QPushButton* FExport = nullptr;
  QPushButton* FReport = nullptr;
  TFlowRows FFlowRows;
  bool FCloseAfterCancel = false;
};

}  // namespace quelmora
