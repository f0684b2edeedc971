#include "ui/ResultTableModel.h"

#include <utility>

#include "ui/ResultFigureTexts.h"
#include "ui/ResultViews.h"
#include "ui/UiText.h"

namespace quelmora {

namespace {

// Names first, then the Id, so that the order is total.
int CompareProducts(const TResultRow& a, const TResultRow& b) {
  if (const int order = NaturalCompare(a.ProductName, b.ProductName); order != 0) return order;
  return a.ProductId < b.ProductId ? -1 : (a.ProductId > b.ProductId ? 1 : 0);
}

}  // namespace

TResultTableModel::TResultTableModel(QObject* Parent) : QAbstractTableModel(Parent) {}

void TResultTableModel::ShowRows(std::vector<TResultRow> Rows, TNumberFormat Numbers) {
  beginResetModel();
  FRows = std::move(Rows);
  FNumbers = std::move(Numbers);
  endResetModel();
}

void TResultTableModel::Clear() {
  beginResetModel();
  FRows.clear();
  endResetModel();
}

int TResultTableModel::RowOfSolution(int SolutionIndex) const {
  for (size_t i = 0; i < FRows.size(); ++i)
    if (FRows[i].SolutionIndex == SolutionIndex) return static_cast<int>(i);
  return -1;
}

int TResultTableModel::rowCount(const QModelIndex& Parent) const {
  return Parent.isValid() ? 0 : static_cast<int>(FRows.size());
}

int TResultTableModel::columnCount(const QModelIndex& Parent) const {
  return Parent.isValid() ? 0 : ResultColumnCount;
}

QVariant TResultTableModel::data(const QModelIndex& Index, int Role) const {
  if (!Index.isValid() || Index.row() >= rowCount()) return {};
  const TResultRow& row = FRows[static_cast<size_t>(Index.row())];
  const auto column = static_cast<TResultColumn>(Index.column());
  switch (Role) {
    case Qt::DisplayRole:
      return Utf8(ResultCellText(FNumbers, row, column));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(column == rcProduct ? Qt::AlignLeft | Qt::AlignVCenter
                                                     : Qt::AlignRight | Qt::AlignVCenter);
    case SolutionRole:
      return row.SolutionIndex;
    default:
      return {};
  }
}

QVariant TResultTableModel::headerData(int Section, Qt::Orientation Orientation, int Role) const {
  if (Orientation != Qt::Horizontal || Role != Qt::DisplayRole) return {};
  return Utf8(ResultColumnCaption(static_cast<TResultColumn>(Section)));
}

TResultSortModel::TResultSortModel(QObject* Parent) : QSortFilterProxyModel(Parent) {}

bool TResultSortModel::lessThan(const QModelIndex& Left, const QModelIndex& Right) const {
  const auto* model = static_cast<const TResultTableModel*>(sourceModel());
  const TResultRow& a = model->Row(Left.row());
  const TResultRow& b = model->Row(Right.row());
  const auto column = static_cast<TResultColumn>(Left.column());
  const int order = column == rcProduct ? 0 : CompareResultFigures(a, b, column);
  if (order != 0) return order < 0;
  return CompareProducts(a, b) < 0;
}

}  // namespace quelmora
