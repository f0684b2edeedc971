#include "ui/ProductEditForm.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "l10n/Localization.h"
#include "l10n/TranslateControl.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "model/Validation.h"
#include "ui/SettingsForm.h"
#include "ui/UserDialogs.h"

namespace quelmora {

namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Translated(std::string_view text) {
  return QString::fromStdString(Tr(text));
}

constexpr int NameRow = ProductNameFieldIndex + 1;

}  // namespace

TProductEditForm::TProductEditForm(QWidget* Parent, const TProduct& Product, IUserDialogs& Dialogs)
    : QDialog(Parent), FDialogs(Dialogs), FProduct(Product) {
  SetUpDialogFrame(*this, "Параметры изделия", 620, 640);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  FGrid = new TFieldGrid(this, ProductFieldCount + 1, 285, 290, 33);
  layout->addWidget(FGrid, 1);

  auto* bottom = new QWidget(this);
  bottom->setFixedHeight(52);
  layout->addWidget(bottom);

  FApply = new QPushButton(Utf8("Применить"), bottom);
  FApply->setGeometry(365, 10, 110, 32);
  FApply->setDefault(true);
  FCancel = new QPushButton(Utf8("Отмена"), bottom);
  FCancel->setGeometry(483, 10, 110, 32);
  FEnabled = new QCheckBox(Utf8("Вкл."), bottom);
  FEnabled->setGeometry(12, 14, 180, 28);

  connect(FApply, &QPushButton::clicked, this, &TProductEditForm::ApplyClick);
  connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(FGrid, &TFieldGrid::EnterPressed, this, &TProductEditForm::ApplyClick);
  connect(FGrid, &TFieldGrid::EscapePressed, this, &QDialog::reject);

  FGrid->SetCell(0, 0, Utf8("Параметры изделия"));
  for (int r = 1; r <= ProductFieldCount; ++r)
    FGrid->SetCell(0, r, Translated(ProductFieldCaptions[r - 1]));
  TranslateControlTree(this);
  FGrid->SetCell(0, 0, Translated("Параметры изделия"));

  ShowProduct();
  FGrid->setFocus();
}

void TProductEditForm::ShowProduct() {
  FEnabled->setChecked(FProduct.Enabled);
  for (int r = 1; r <= ProductFieldCount; ++r)
    FGrid->SetCell(1, r,
                   r == NameRow ? QString::fromStdString(FProduct.Name)
                                : FieldNumberText(GetProductField(FProduct, r - 1)));
}

bool TProductEditForm::Edit(QWidget* Parent, TProduct& Product, IUserDialogs& Dialogs) {
  TProductEditForm form(Parent, Product, Dialogs);
  if (form.exec() != QDialog::Accepted) return false;
  Product = form.FProduct;
  return true;
}

void TProductEditForm::ApplyClick() {
  FGrid->CommitEditor();
  try {
    TProduct p = FProduct;
    p.Enabled = FEnabled->isChecked();
    for (int i = 0; i < ProductFieldCount; ++i) {
      const std::string text = FGrid->Cell(1, i + 1).toStdString();
      if (i == ProductNameFieldIndex) {
        p.Name = std::string(Trim(text));
        continue;
      }
      double value = 0;
      if (!TryParseNumber(text, value)) throw EConvertError(std::string(ProductFieldCaptions[i]));
      SetProductField(p, i, value);
    }
    ValidateProduct(p);
    FProduct = p;
  } catch (const Exception& e) {
    FDialogs.ShowError(this, QString::fromStdString(e.Message()));
    return;
  } catch (const std::exception& e) {
    FDialogs.ShowError(this, QString::fromStdString(e.what()));
    return;
  }
  accept();
}

}  // namespace quelmora
