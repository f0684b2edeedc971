#pragma once

#include <QDialog>

#include "model/ProductModel.h"

class QCheckBox;
class QPushButton;

namespace quelmora {

class IUserDialogs;
class TFieldGrid;

// The dialog of one product's fields. Edit is the way in for the program; the
// constructor and ApplyClick let tests drive it without a modal loop.
class TProductEditForm final : public QDialog {
  Q_OBJECT

 public:
  TProductEditForm(QWidget* Parent, const TProduct& Product, IUserDialogs& Dialogs);

  // True when the user applied valid values, which then replace Product.
  static bool Edit(QWidget* Parent, TProduct& Product, IUserDialogs& Dialogs);

  // Reads and checks every control; on success keeps the values and closes
  // with the OK result, else shows the error and stays open.
  void ApplyClick();

  const TProduct& Product() const { return FProduct; }
  TFieldGrid* Grid() const { return FGrid; }
  QCheckBox* EnabledBox() const { return FEnabled; }
  QPushButton* ApplyButton() const { return FApply; }
  QPushButton* CancelButton() const { return FCancel; }

 private:
  void ShowProduct();

  IUserDialogs& FDialogs;
  TProduct FProduct;
  TFieldGrid* FGrid = nullptr;
  QCheckBox* FEnabled = nullptr;
  QPushButton* FApply = nullptr;
  QPushButton* FCancel = nullptr;
};

}  // namespace quelmora
