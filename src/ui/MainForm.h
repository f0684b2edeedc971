#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "engine/OptimizationWorker.h"
#include "l10n/Localization.h"
#include "model/OptimizationModel.h"
#include "model/SettingsFields.h"
#include "report/DrawingSurface.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace quelmora {

class IUserDialogs;
class TPalletView;
class TPreviewArea;
class TProductGridWidget;

// Command codes of the window's buttons.
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
};

// The dialogs the window opens for one product and for all settings; the
// real ones unless a test puts its own.
struct TMainFormEditors {
  std::function<bool(QWidget*, TProduct&, IUserDialogs&)> EditProduct;
  std::function<bool(QWidget*, TOptimizationSettings&, IUserDialogs&)> EditSettings;
};

TMainFormEditors DefaultMainFormEditors();

// The program's one window: the product grid, the quick parameters, the
// result views and the commands. Owns the project, the last result and the
// background calculation.
class TMainForm final : public QWidget {
  Q_OBJECT

 public:
  explicit TMainForm(IUserDialogs& Dialogs, QWidget* Owner = nullptr);
  TMainForm(IUserDialogs& Dialogs, TMainFormEditors Editors, QWidget* Owner = nullptr);
  ~TMainForm() override;

  const TProjectData& Project() const { return FData; }
  const TOptimizationResult& Result() const { return FResult; }
  bool Modified() const { return FModified; }
  bool Busy() const { return FWorker != nullptr; }

  // The button with a command code, or null.
  QPushButton* CommandButton(int Code) const;

  // Grid rows as the user sees them: row 0 the header, data from row 1.
  bool ReadGridRow(int Row, TProduct& Product, bool Strict) const;
  bool IsCellValid(int Column, int Row) const;
  int NextProductId() const;

  // Runs a command as its button would, inside the error guard.
  void RunCommand(int Code);

 protected:
  void closeEvent(QCloseEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  // Construction.
  void BuildWindow();
  QWidget* AddPanel(QWidget* Parent);
  QLabel* AddLabel(QWidget* Parent, const char* Caption, int Left, int Top, bool Bold = false);
  QPushButton* AddButton(QWidget* Parent, const char* Caption, int Left, int Width, int Code);
  QWidget* AddCaptionStrip(QWidget* Parent, const char* Caption, int Height, int LabelTop);

  // Start-up, language, layout.
  void FillLanguages();
  void LanguageChange();
  void ApplyTexts();
  void FormResize();

  // Commands.
  void ButtonClick(int Code);
  void ImportProducts();
  void AddProduct();
  void EditProduct();
  void DeleteProduct();
  void EditAllParameters();
  void StartCalculation();
  void ExportResults();
  void WriteReport();
  void SetBusy(bool Busy);
  void TimerTick();
  bool SaveProjectAs();
  bool ConfirmSaveChanges();
  bool FormCloseQuery();
  // Shows an error box for whatever Action raises; false then.
  bool Guarded(const std::function<void()>& Action);

  // Result views.
  void ShowResults();
  void BoxSelection();
  void ProductSelection();
  bool SelectedSolution(TOptimizationSolution& Solution) const;
  void PaintPackPreview(IDrawingSurface& Canvas, const TRect& Rect);
  void PaintLayoutPreview(IDrawingSurface& Canvas, const TRect& Rect);

  // Grid and project synchronisation.
  void ShowProject();
  void GridSetEditText(int Column, int Row);
  void GridDblClick();
  // Controls into FData: quick parameters, sort flag, criterion and every
  // grid row except SkipRow; raises and stores nothing when one cannot be
  // taken over.
  void CollectProject(int SkipRow = -1);
  std::vector<TProduct> TakeOverGridRows(int SkipRow) const;
  void MarkModified();
  void ClearResults();
  void SetStatus(const std::string& Text);

  IUserDialogs& FDialogs;
  TMainFormEditors FEditors;

  TProjectData FData;
  TOptimizationResult FResult;
  std::unique_ptr<TOptimizationWorker> FWorker;

  TProductGridWidget* FGrid = nullptr;
  QWidget* FHeader = nullptr;
  QWidget* FInputPanel = nullptr;
  QWidget* FParameters = nullptr;
  QWidget* FActions = nullptr;
  QWidget* FStatusBand = nullptr;
  QWidget* FDetails = nullptr;
  QWidget* FOriginalPanel = nullptr;
  QListWidget* FList = nullptr;
  QListWidget* FProductList = nullptr;
  std::vector<int> FBoxSolutionIndices;
  std::vector<int> FPackSolutionIndices;
  QPlainTextEdit* FOptimalMemo = nullptr;
  QPlainTextEdit* FOriginalMemo = nullptr;
  TPreviewArea* FPackPreview = nullptr;
  TPreviewArea* FLayoutPreview = nullptr;
  TPalletView* FPalletView = nullptr;
  QLabel* FTitle = nullptr;
  QLabel* FStatus = nullptr;
  QProgressBar* FProgress = nullptr;
  QTimer* FTimer = nullptr;
  QPushButton* FCancel = nullptr;
  QPushButton* FRun = nullptr;
  QPushButton* FExport = nullptr;
  QPushButton* FReport = nullptr;
  QCheckBox* FSort = nullptr;
  QComboBox* FCriterion = nullptr;
  QComboBox* FLanguage = nullptr;
  std::vector<TPackLanguageInfo> FLanguages;
  std::array<QLineEdit*, QuickSettingsFieldCount> FQuick{};
  std::vector<QLabel*> FAutoSizeLabels;
  // Controls standing side by side: each keeps its designed place and size
  // unless its caption needs more, and then pushes the ones after it along.
  struct TFlowRow {
    std::vector<std::pair<QWidget*, QRect>> Items;
    int Gap = 0;
  };
  std::vector<TFlowRow> FFlowRows;
  void FlowRows();
  bool FLoading = false;
  bool FCloseAfterCancel = false;
  bool FModified = false;
  bool FChangingLanguage = false;
};

}  // namespace quelmora
