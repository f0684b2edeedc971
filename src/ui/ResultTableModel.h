#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <vector>

#include "calc/ResultRows.h"
#include "l10n/LocalFormat.h"

namespace quelmora {

// The results table: one row per solution, the columns of TResultColumn.
// Cells show the user's decimal separator; sorting goes by the figures.
class TResultTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The row's index in the result's solutions.
  static constexpr int SolutionRole = Qt::UserRole + 1;

  explicit TResultTableModel(QObject* Parent = nullptr);

  void ShowRows(std::vector<TResultRow> Rows, TNumberFormat Numbers);
  void Clear();
  const TResultRow& Row(int Index) const { return FRows[static_cast<size_t>(Index)]; }
  // The row of solution SolutionIndex, or -1.
  int RowOfSolution(int SolutionIndex) const;

  int rowCount(const QModelIndex& Parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& Parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;
  QVariant headerData(int Section, Qt::Orientation Orientation,
                      int Role = Qt::DisplayRole) const override;

 private:
  std::vector<TResultRow> FRows;
  TNumberFormat FNumbers;
};

// Sorts a TResultTableModel by its figures rather than its texts; product
// names as the box lists order them, equal figures by product.
class TResultSortModel final : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  explicit TResultSortModel(QObject* Parent = nullptr);

 protected:
  bool lessThan(const QModelIndex& Left, const QModelIndex& Right) const override;
};

}  // namespace quelmora
