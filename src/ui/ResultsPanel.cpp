#include "ui/ResultsPanel.h"

#include <QColor>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "calc/PalletFigures.h"
#include "model/AppStrings.h"
#include "report/PackagingPreview.h"
#include "ui/PalletView.h"
#include "ui/PreviewArea.h"
#include "ui/ResultFigureTexts.h"
#include "ui/ResultViews.h"
#include "ui/UiText.h"
#include "ui/WindowLayout.h"
#include "ui/WindowParts.h"

namespace quelmora {

namespace {

constexpr int LeftColumnWidth = 360;
// Narrower than this a column would cut its captions and lists.
constexpr int NarrowestColumn = 240;
// The drawings' and the memos' heights at the default window size; a
// different size shares the column's height in this proportion.
constexpr int DrawingsHeight = 185;
constexpr int MemoHeight = 397 - DrawingsHeight - SplitterHandlePx;
constexpr int LowestDrawings = 120;
constexpr int LowestMemo = 38 + 40;

// Detail texts keep CR LF; the text widgets want plain line feeds.
QString MemoText(const std::string& text) {
  QString lines = Utf8(text);
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return lines;
}

// The strength lines go under the memo's text; with none the memo keeps
// exactly its plain text.
void AppendStrengthLines(QPlainTextEdit& memo, const std::vector<TStrengthLine>& lines) {
  if (lines.empty()) return;
  QTextCursor cursor(memo.document());
  cursor.movePosition(QTextCursor::End);
  const QTextCharFormat plain = cursor.charFormat();
  QTextCharFormat warning = plain;
  warning.setForeground(QColor(static_cast<QRgb>(StrengthWarningColour)));
  cursor.insertText(QStringLiteral("\n"), plain);
  for (const TStrengthLine& line : lines)
    cursor.insertText(QStringLiteral("\n") + Utf8(line.Text), line.Warning ? warning : plain);
}

void PaintBlank(IDrawingSurface& Canvas, const TRect& Rect) {
  Canvas.SetBrush(0xFFFFFF, TBrushStyle::Solid);
  Canvas.FillRect(Rect);
}

}  // namespace

TResultsPanel::TResultsPanel(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("FDetails"));
  FillWith(this, Qt::white);
  QVBoxLayout* panel = Column(this);

  // Boxes and products | pack and proposal | layout and current packaging.
  QWidget* left = AddPanel(this);
  left->setMinimumWidth(NarrowestColumn);
  QWidget* lists = AddResultTabs(left);
  QVBoxLayout* leftLayout = Column(lists);
  QWidget* boxesBlock = AddPanel(lists);
  boxesBlock->setFixedHeight(170);
  Column(boxesBlock)->addWidget(AddCaptionStrip(boxesBlock, SUnifiedBoxes, 38, 9, FCaptions));
  FList = AddList(boxesBlock, "FList");
  connect(FList, &QListWidget::currentRowChanged, this, [this] { BoxSelection(); });
  leftLayout->addWidget(boxesBlock);
  QWidget* productsBlock = AddPanel(lists);
  Column(productsBlock)
      ->addWidget(AddCaptionStrip(productsBlock, SProductsInSelectedBox, 38, 9, FCaptions));
  FProductList = AddList(productsBlock, "FProductList");
  connect(FProductList, &QListWidget::currentRowChanged, this, [this] { ProductSelection(); });
  leftLayout->addWidget(productsBlock, 1);

  QWidget* middle =
      AddDetailColumn(SPackPreviewTitle, FPackPreview, SOptimalVariant, FOptimalMemo, true);
  FOriginalPanel =
      AddDetailColumn(SLayoutPreviewTitle, FLayoutPreview, SOriginalVariant, FOriginalMemo, false);
  FOriginalPanel->setObjectName(QStringLiteral("FOriginalPanel"));
  FPalletView->setObjectName(QStringLiteral("FPalletView"));
  FPackPreview->setObjectName(QStringLiteral("FPackPreview"));
  FLayoutPreview->setObjectName(QStringLiteral("FLayoutPreview"));
  FOptimalMemo->setObjectName(QStringLiteral("FOptimalMemo"));
  FOriginalMemo->setObjectName(QStringLiteral("FOriginalMemo"));
  FPackPreview->Paint = [this](IDrawingSurface& canvas, const TRect& rect) {
    PaintPackPreview(canvas, rect);
  };
  FLayoutPreview->Paint = [this](IDrawingSurface& canvas, const TRect& rect) {
    PaintLayoutPreview(canvas, rect);
  };
  FColumns = AddSplitter(this, Qt::Horizontal, {left, middle, FOriginalPanel},
                         {LeftColumnWidth, 490 - 2 * SplitterHandlePx, 490});
  FColumns->setObjectName(QStringLiteral("FColumns"));
  // Once the user has placed the columns, they keep their proportion.
  connect(FColumns, &QSplitter::splitterMoved, this, [this] { FColumnsPlaced = true; });
  panel->addWidget(FColumns);
}

QListWidget* TResultsPanel::AddList(QWidget* Parent, const char* Name) {
  auto* list = new QListWidget(Parent);
  list->setObjectName(Utf8(Name));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  static_cast<QVBoxLayout*>(Parent->layout())->addWidget(list, 1);
  return list;
}

QWidget* TResultsPanel::AddDetailColumn(const char* PreviewCaption, TPreviewArea*& Preview,
                                        const char* MemoCaption, QPlainTextEdit*& Memo,
                                        bool WithPallet) {
  QWidget* top = AddPanel(this);
  top->setMinimumHeight(LowestDrawings);
  QVBoxLayout* topLayout = Column(top);
  topLayout->addWidget(AddCaptionStrip(top, PreviewCaption, 28, 5, FCaptions));
  Preview = new TPreviewArea(top);
  if (WithPallet) {
    // The pallet shares the drawing's row, under the same caption strip.
    QWidget* row = AddPanel(top);
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    rowLayout->setSpacing(0);
    Preview->setParent(row);
    FPalletView = new TPalletView(row);
    rowLayout->addWidget(Preview, 1);
    rowLayout->addWidget(FPalletView, 1);
    topLayout->addWidget(row, 1);
  } else {
    topLayout->addWidget(Preview, 1);
  }
  QWidget* bottom = AddPanel(this);
  bottom->setMinimumHeight(LowestMemo);
  QVBoxLayout* layout = Column(bottom);
  layout->addWidget(AddCaptionStrip(bottom, MemoCaption, 38, 9, FCaptions));
  Memo = new QPlainTextEdit(bottom);
  Memo->setReadOnly(true);
  Memo->setFrameShape(QFrame::NoFrame);
  Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  layout->addWidget(Memo, 1);
  QSplitter* column = AddSplitter(this, Qt::Vertical, {top, bottom}, {DrawingsHeight, MemoHeight});
  // A taller window shares its height between drawings and details.
  column->setStretchFactor(0, 1);
  column->setStretchFactor(1, 1);
  column->setMinimumWidth(NarrowestColumn);
  return column;
}

void TResultsPanel::FitCaptions() {
  for (QLabel* label : FCaptions)
    label->adjustSize();
  FitTabCaptions();
}

void TResultsPanel::FitColumns(int WindowWidth) {
  if (FColumnsPlaced) return;
  const int right = std::max(340, (WindowWidth - LeftColumnWidth) / 2);
  const int middle = WindowWidth - LeftColumnWidth - right - 2 * SplitterHandlePx;
  FColumns->setSizes({LeftColumnWidth, std::max(middle, NarrowestColumn), right});
}

int TResultsPanel::BoxCount() const {
  return FList->count();
}

bool TResultsPanel::Show(const TProjectData& Project, const TOptimizationResult& Result) {
  FProject = &Project;
  FResult = &Result;
  const TNumberFormat numbers = UserNumbers();
  {
    const QSignalBlocker quietBoxes(FList);
    const QSignalBlocker quietProducts(FProductList);
    FList->setUpdatesEnabled(false);
    FList->clear();
    FProductList->clear();
    FPackSolutionIndices.clear();
    FBoxSolutionIndices = UnifiedBoxRepresentatives(Result);
    for (int representative : FBoxSolutionIndices) {
      auto* item = new QListWidgetItem(Utf8(UnifiedBoxLine(numbers, Result, representative)));
      item->setSizeHint(QSize(650, 28));
      FList->addItem(item);
    }
    FList->setUpdatesEnabled(true);
  }
  ShowTable();
  if (FList->count() == 0) return false;
  {
    const QSignalBlocker quiet(FList);
    FList->setCurrentRow(0);
  }
  BoxSelection();
  return true;
}

void TResultsPanel::Clear() {
  FProject = nullptr;
  FResult = nullptr;
  {
    const QSignalBlocker quietBoxes(FList);
    const QSignalBlocker quietProducts(FProductList);
    FList->clear();
    FProductList->clear();
  }
  ShowTable();
  FBoxSolutionIndices.clear();
  FPackSolutionIndices.clear();
  FOptimalMemo->clear();
  FOriginalMemo->clear();
  FPalletView->Clear();
  FPackPreview->update();
  FLayoutPreview->update();
}

void TResultsPanel::BoxSelection() {
  const TNumberFormat numbers = UserNumbers();
  const QSignalBlocker quiet(FProductList);
  FProductList->clear();
  FPackSolutionIndices.clear();
  const int selected = FList->currentRow();
  if (!FResult || selected < 0 || selected >= static_cast<int>(FBoxSolutionIndices.size())) return;
  const int32_t group = FResult->Solutions[FBoxSolutionIndices[selected]].UnifiedGroupId;
  FPackSolutionIndices = SolutionsOfGroup(*FProject, *FResult, group);
  FProductList->setUpdatesEnabled(false);
  for (int index : FPackSolutionIndices) {
    auto* item =
        new QListWidgetItem(Utf8(ProductLine(numbers, *FProject, FResult->Solutions[index])));
    item->setSizeHint(QSize(650, 28));
    FProductList->addItem(item);
  }
  FProductList->setUpdatesEnabled(true);
  if (FProductList->count() == 0) return;
  FProductList->setCurrentRow(0);
  ProductSelection();
}

bool TResultsPanel::SelectedSolution(TOptimizationSolution& Solution) const {
  const int selected = FProductList->currentRow();
  if (!FResult || selected < 0 || selected >= static_cast<int>(FPackSolutionIndices.size()))
    return false;
  Solution = FResult->Solutions[FPackSolutionIndices[selected]];
  return true;
}

void TResultsPanel::ProductSelection() {
  TOptimizationSolution solution;
  if (!SelectedSolution(solution)) return;
  const TNumberFormat numbers = UserNumbers();
  // The layers are cheap here: the grid's, listed once per selection.
  const TPalletSetup pallet = PalletSetupOf(FProject->Settings);
  TPalletLayer layer = SolutionLayer(solution.Box, pallet);
  const TPalletLayer originalLayer = SolutionLayer(solution.OriginalBox, pallet);
  FOptimalMemo->setPlainText(MemoText(OptimalDetailsText(numbers, *FProject, solution) +
                                      "\r\n\r\n" + BeforeAfterText(numbers, *FProject, solution) +
                                      "\r\n\r\n" +
                                      PalletDetailsText(numbers, solution.Box, layer, pallet)));
  FOriginalMemo->setPlainText(
      MemoText(OriginalDetailsText(numbers, *FProject, solution) + "\r\n\r\n" +
               PalletDetailsText(numbers, solution.OriginalBox, originalLayer, pallet)));
  AppendStrengthLines(*FOptimalMemo,
                      StrengthDetailLines(numbers, FProject->Settings, solution.Box));
  AppendStrengthLines(*FOriginalMemo,
                      StrengthDetailLines(numbers, FProject->Settings, solution.OriginalBox));
  FPalletView->Show(solution.Box, std::move(layer), pallet);
  SelectTableRow(FPackSolutionIndices[static_cast<size_t>(FProductList->currentRow())]);
  FPackPreview->update();
  FLayoutPreview->update();
}

void TResultsPanel::PaintPackPreview(IDrawingSurface& Canvas, const TRect& Rect) {
  TOptimizationSolution solution;
  if (SelectedSolution(solution))
    DrawPackPreview(Canvas, Rect, solution, UserNumbers());
  else
    PaintBlank(Canvas, Rect);
}

void TResultsPanel::PaintLayoutPreview(IDrawingSurface& Canvas, const TRect& Rect) {
  TOptimizationSolution solution;
  if (SelectedSolution(solution))
    DrawBoxLayout(Canvas, Rect, solution, UserNumbers());
  else
    PaintBlank(Canvas, Rect);
}

}  // namespace quelmora
