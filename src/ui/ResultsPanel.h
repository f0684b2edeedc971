#pragma once

#include <QWidget>
#include <vector>

#include "model/OptimizationModel.h"
#include "report/DrawingSurface.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class QTableView;

namespace quelmora {

class TPalletView;
class TPreviewArea;
class TResultTableModel;
class TResultSortModel;

// The result of a run as the window shows it: the unified boxes, the
// products packed in the selected one, the drawings and pallet of the
// selected product, and its proposed and current packaging.
class TResultsPanel final : public QWidget {
  Q_OBJECT

 public:
  explicit TResultsPanel(QWidget* Parent);

  // Lists Result's boxes and selects the first; the project and the result
  // must stay in place while they are shown. False when there is no box.
  bool Show(const TProjectData& Project, const TOptimizationResult& Result);
  void Clear();
  int BoxCount() const;

  // The captions after a change of language.
  void FitCaptions();
  // The right column takes half of the width beyond the left one, until
  // the user moves the columns.
  void FitColumns(int WindowWidth);

 private:
  QListWidget* AddList(QWidget* Parent, const char* Name);
  QWidget* AddDetailColumn(const char* PreviewCaption, TPreviewArea*& Preview,
                           const char* MemoCaption, QPlainTextEdit*& Memo, bool WithPallet);

  void BoxSelection();
  void ProductSelection();
  bool SelectedSolution(TOptimizationSolution& Solution) const;
  void PaintPackPreview(IDrawingSurface& Canvas, const TRect& Rect);
  void PaintLayoutPreview(IDrawingSurface& Canvas, const TRect& Rect);

  // The results table, a tab beside the lists; selecting a row selects its
  // product in the lists and the other way round (ResultsTable.cpp).
  QWidget* AddResultTabs(QWidget* Parent);
  void ShowTable();
  void TableSelection();
  void SelectTableRow(int SolutionIndex);
  void FitTabCaptions();

  const TProjectData* FProject = nullptr;
  const TOptimizationResult* FResult = nullptr;
  std::vector<int> FBoxSolutionIndices;
  std::vector<int> FPackSolutionIndices;

  QSplitter* FColumns = nullptr;
  bool FColumnsPlaced = false;
  QWidget* FOriginalPanel = nullptr;
  QListWidget* FList = nullptr;
  QListWidget* FProductList = nullptr;
  QPlainTextEdit* FOptimalMemo = nullptr;
  QPlainTextEdit* FOriginalMemo = nullptr;
  TPreviewArea* FPackPreview = nullptr;
  TPreviewArea* FLayoutPreview = nullptr;
  TPalletView* FPalletView = nullptr;
  std::vector<QLabel*> FCaptions;
  QTabWidget* FTabs = nullptr;
  QTableView* FTable = nullptr;
  TResultTableModel* FTableModel = nullptr;
  TResultSortModel* FTableOrder = nullptr;
  bool FSyncing = false;  // one selection follows the other, not back
};

}  // namespace quelmora
