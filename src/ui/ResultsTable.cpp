// The results panel's table tab: the rows, and the selection shared with the
// box and product lists.
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

#include "calc/ResultRows.h"
#include "model/AppStrings.h"
#include "ui/ResultTableModel.h"
#include "ui/ResultViews.h"
#include "ui/ResultsPanel.h"
#include "ui/UiText.h"
#include "ui/WindowParts.h"

namespace quelmora {

QWidget* TResultsPanel::AddResultTabs(QWidget* Parent) {
  FTabs = new QTabWidget(Parent);
  FTabs->setObjectName(QStringLiteral("FResultTabs"));
  FTabs->setDocumentMode(true);
  Column(Parent)->addWidget(FTabs);
  QWidget* lists = AddPanel(FTabs);
  FTabs->addTab(lists, QString());

  FTableModel = new TResultTableModel(this);
  FTableOrder = new TResultSortModel(this);
  FTableOrder->setSourceModel(FTableModel);
  FTable = new QTableView(FTabs);
  FTable->setObjectName(QStringLiteral("FResultTable"));
  FTable->setModel(FTableOrder);
  FTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  FTable->setSelectionMode(QAbstractItemView::SingleSelection);
  FTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FTable->setWordWrap(false);
  FTable->verticalHeader()->hide();
  FTable->horizontalHeader()->setSortIndicator(rcGroup, Qt::AscendingOrder);
  FTable->setSortingEnabled(true);
  connect(FTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { TableSelection(); });
  FTabs->addTab(FTable, QString());
  FitTabCaptions();
  return lists;
}

void TResultsPanel::FitTabCaptions() {
  FTabs->setTabText(0, Translated(SResultListsTab));
  FTabs->setTabText(1, Translated(SResultTableTab));
}

void TResultsPanel::ShowTable() {
  const bool syncing = std::exchange(FSyncing, true);
  if (FResult)
    FTableModel->ShowRows(ResultRowsOf(*FProject, *FResult), UserNumbers());
  else
    FTableModel->Clear();
  FTable->resizeColumnsToContents();
  FSyncing = syncing;
}

void TResultsPanel::TableSelection() {
  if (FSyncing || !FResult) return;
  const QModelIndex current = FTable->selectionModel()->currentIndex();
  if (!current.isValid()) return;
  const int solution = current.data(TResultTableModel::SolutionRole).toInt();
  const int64_t key = SolutionBoxKey(*FResult, static_cast<size_t>(solution));
  int box = -1;
  for (size_t i = 0; i < FBoxSolutionIndices.size(); ++i)
    if (SolutionBoxKey(*FResult, static_cast<size_t>(FBoxSolutionIndices[i])) == key)
      box = static_cast<int>(i);
  if (box < 0) return;
  FSyncing = true;
  if (FList->currentRow() != box) FList->setCurrentRow(box);
  for (size_t i = 0; i < FPackSolutionIndices.size(); ++i)
    if (FPackSolutionIndices[i] == solution) FProductList->setCurrentRow(static_cast<int>(i));
  FSyncing = false;
}

void TResultsPanel::SelectTableRow(int SolutionIndex) {
  if (FSyncing) return;
  const int row = FTableModel->RowOfSolution(SolutionIndex);
  if (row < 0) return;
  const QModelIndex shown = FTableOrder->mapFromSource(FTableModel->index(row, 0));
  FSyncing = true;
  FTable->selectionModel()->setCurrentIndex(
      shown, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  FTable->scrollTo(shown);
  FSyncing = false;
}

}  // namespace quelmora
