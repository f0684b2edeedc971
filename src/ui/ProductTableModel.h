#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "model/ProductModel.h"
#include "ui/ProductGrid.h"

namespace quelmora {

// The product list as the grid shows it: one row per product, the columns
// of ProductGrid.h. The products are the data; a cell the user typed into
// keeps the typed text until the list is shown anew, so a value that cannot
// be taken over stays on screen, marked by RejectedRole, for the user to fix.
// With no products one empty row stands ready for typing.
class TProductTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  // True for a cell that cannot be taken over as it stands.
  static constexpr int RejectedRole = Qt::UserRole + 1;

  explicit TProductTableModel(QObject* Parent = nullptr);

  // Shows Products, numbers with DecimalSeparator; typed texts are dropped.
  void ShowProducts(std::vector<TProduct> Products, std::string DecimalSeparator);
  // The products as taken over from the rows; what was typed stays shown.
  void KeepProducts(std::vector<TProduct> Products);
  // The header texts follow the current language.
  void RefreshHeaders();

  int rowCount(const QModelIndex& Parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& Parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& Index, const QVariant& Value, int Role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& Index) const override;
  QVariant headerData(int Section, Qt::Orientation Orientation,
                      int Role = Qt::DisplayRole) const override;

  // Rows from 0. The row's texts as shown, typed or not.
  TGridRowTexts RowTexts(int Row) const;
  // The product the row describes, by ReadProductRow; false for the empty row.
  bool ReadRow(int Row, TProduct& Product, bool Strict) const;
  bool IsCellValid(int Row, int Column) const;

  // Every product with what was typed into its row taken over, except the
  // row SkipRow, which keeps the shown product. The first row that cannot be
  // taken over is passed to OnRejected with its first rejected column, and
  // an error naming the product and the column is raised.
  std::vector<TProduct> TakeOver(int SkipRow,
                                 const std::function<void(int Row, int Column)>& OnRejected) const;

 signals:
  // The user changed a cell's text (typing or a toggle).
  void CellEdited(int Row, int Column);

 private:
  bool HasProduct(int Row) const { return Row >= 0 && Row < static_cast<int>(FProducts.size()); }

  std::vector<TProduct> FProducts;
  std::string FSeparator = ".";
  // Rows the user typed into, all texts of the row.
  std::map<int, TGridRowTexts> FTyped;
};

}  // namespace quelmora
