#include "ui/ProductTableModel.h"

#include <algorithm>
#include <utility>

#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "ui/UiText.h"

namespace quelmora {

namespace {

std::string S(const QString& text) {
  return text.toStdString();
}

}  // namespace

TProductTableModel::TProductTableModel(QObject* Parent) : QAbstractTableModel(Parent) {}

void TProductTableModel::ShowProducts(std::vector<TProduct> Products,
                                      std::string DecimalSeparator) {
  beginResetModel();
  FProducts = std::move(Products);
  FSeparator = std::move(DecimalSeparator);
  FTyped.clear();
  endResetModel();
}

void TProductTableModel::KeepProducts(std::vector<TProduct> Products) {
  if (Products.size() != FProducts.size()) {
    ShowProducts(std::move(Products), FSeparator);
    return;
  }
  FProducts = std::move(Products);
  emit dataChanged(index(0, 0), index(rowCount() - 1, GridColumnCount - 1));
}

void TProductTableModel::RefreshHeaders() {
  emit headerDataChanged(Qt::Horizontal, 0, GridColumnCount - 1);
}

int TProductTableModel::rowCount(const QModelIndex& Parent) const {
  if (Parent.isValid()) return 0;
  return std::max(1, static_cast<int>(FProducts.size()));
}

int TProductTableModel::columnCount(const QModelIndex& Parent) const {
  return Parent.isValid() ? 0 : GridColumnCount;
}

TGridRowTexts TProductTableModel::RowTexts(int Row) const {
  if (const auto typed = FTyped.find(Row); typed != FTyped.end()) return typed->second;
  if (!HasProduct(Row)) return {};
  return ProductRowTexts(FProducts[Row], FSeparator);
}

QVariant TProductTableModel::data(const QModelIndex& Index, int Role) const {
  if (!Index.isValid()) return {};
  if (Role == Qt::DisplayRole || Role == Qt::EditRole)
    return Utf8(RowTexts(Index.row())[Index.column()]);
  if (Role == RejectedRole) return !IsCellValid(Index.row(), Index.column());
  return {};
}

bool TProductTableModel::setData(const QModelIndex& Index, const QVariant& Value, int Role) {
  if (!Index.isValid() || Role != Qt::EditRole) return false;
  const int row = Index.row();
  TGridRowTexts texts = RowTexts(row);
  texts[Index.column()] = S(Value.toString());
  FTyped[row] = std::move(texts);
  // A cell can make its neighbours acceptable or not (the volume range).
  emit dataChanged(index(row, 0), index(row, GridColumnCount - 1));
  emit CellEdited(row, Index.column());
  return true;
}

Qt::ItemFlags TProductTableModel::flags(const QModelIndex& Index) const {
  if (!Index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant TProductTableModel::headerData(int Section, Qt::Orientation Orientation, int Role) const {
  if (Orientation != Qt::Horizontal || Section < 0 || Section >= GridColumnCount) return {};
  if (Role == Qt::DisplayRole) return Translated(GridColumnHeader(Section));
  if (Role == Qt::ToolTipRole) {
    const std::string_view help = GridColumnHelp(Section);
    return help.empty() ? QString() : Translated(help);
  }
  return {};
}

bool TProductTableModel::ReadRow(int Row, TProduct& Product, bool Strict) const {
  if (!HasProduct(Row)) return false;
  return ReadProductRow(RowTexts(Row), FProducts[Row], Product, Strict);
}

bool TProductTableModel::IsCellValid(int Row, int Column) const {
  if (!HasProduct(Row)) return true;
  return IsProductCellValid(RowTexts(Row), FProducts[Row], Column);
}

std::vector<TProduct> TProductTableModel::TakeOver(
    int SkipRow, const std::function<void(int Row, int Column)>& OnRejected) const {
  std::vector<TProduct> products = FProducts;
  for (int row = 0; row < static_cast<int>(products.size()); ++row) {
    if (row == SkipRow) continue;
    const TGridRowTexts cells = RowTexts(row);
    const TProduct& stored = FProducts[row];
    if (ReadProductRow(cells, stored, products[row], true)) continue;
    const int column = std::max(FirstRejectedColumn(cells, stored), 0);
    std::string name(Trim(cells[ProductNameFieldIndex]));
    if (name.empty()) name = stored.Name;
    if (OnRejected) OnRejected(row, column);
    // The name stays as typed; the texts around it follow the language shown.
    throw Exception(
        TErrorKind::InvalidInput, "%s\n\n%s: %s",
        {TFormatArg::Key(SFixHighlightedCells), name, TFormatArg::Key(GridColumnHeader(column))})
        .InField(column < ProductFieldCount ? std::string(ProductFieldNames[column]) : "Enabled");
  }
  return products;
}

}  // namespace quelmora
