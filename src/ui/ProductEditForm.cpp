#include "ui/ProductEditForm.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "l10n/Localization.h"
#include "l10n/TranslateControl.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/ProductFields.h"
#include "model/TextFormat.h"
#include "model/Validation.h"
#include "ui/SettingsForm.h"
#include "ui/UiText.h"
#include "ui/UserDialogs.h"

namespace quelmora {

TProductEditForm::TProductEditForm(QWidget* Parent, const TProduct& Product, IUserDialogs& Dialogs)
    : QDialog(Parent), FDialogs(Dialogs), FProduct(Product) {
  SetUpDialogFrame(*this, SProductParameters, 620, 640);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  FGrid = new TFieldGrid(this, ProductFieldCount + 1, 285, 290, 33);
  layout->addWidget(FGrid, 1);

  auto* bottom = new QWidget(this);
  bottom->setFixedHeight(52);
  layout->addWidget(bottom);

  AddApplyAndCancel(
      *this, *FGrid, bottom, {365, 10}, {483, 10}, [this] { ApplyClick(); }, FApply, FCancel);
  FEnabled = new QCheckBox(bottom);
  SetKeyedText(FEnabled, SEnabledColumn);
  FEnabled->setGeometry(12, 14, 180, 28);
  SetKeyedTip(FEnabled, SEnabledHelp);
  ShowCaptions(*this, *FGrid, SProductParameters, ProductFields);

  ShowProduct();
  FGrid->setFocus();
}

void TProductEditForm::ShowProduct() {
  FEnabled->setChecked(FProduct.Enabled);
  for (int r = 1; r <= ProductFieldCount; ++r) {
    const TProductField& field = ProductFields[r - 1];
    FGrid->SetCell(1, r,
                   field.IsText() ? QString::fromStdString(FProduct.*field.Text)
                                  : FieldNumberText(ReadNumericField(FProduct, field)));
  }
}

bool TProductEditForm::Edit(QWidget* Parent, TProduct& Product, IUserDialogs& Dialogs) {
  TProductEditForm form(Parent, Product, Dialogs);
  if (form.exec() != QDialog::Accepted) return false;
  Product = form.FProduct;
  return true;
}

void TProductEditForm::ApplyClick() {
  FGrid->CommitEditor();
  const bool applied = RunOrShowError(
      FDialogs, this,
      [&] {
        TProduct p = FProduct;
        p.Enabled = FEnabled->isChecked();
        for (int i = 0; i < ProductFieldCount; ++i) {
          const TProductField& field = ProductFields[i];
          const std::string text = FGrid->Cell(1, i + 1).toStdString();
          if (field.IsText()) {
            p.*field.Text = std::string(Trim(text));
            continue;
          }
          double value = 0;
          if (!TryParseNumber(text, value)) throw TypedValueError(field, text);
          WriteNumericField(p, field, value);
        }
        ValidateProduct(p);
        FProduct = p;
      },
      [this](const Exception& e) { FGrid->FocusField(ProductFields, e.Place().Field); });
  if (applied) accept();
}

}  // namespace quelmora
