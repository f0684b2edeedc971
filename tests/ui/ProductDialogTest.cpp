#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "io/LumarData.h"
#include "l10n/Localization.h"
#include "model/AppStrings.h"
#include "model/ProductFields.h"
#include "support/FakeDialogs.h"
#include "support/ScopedEnv.h"
#include "support/TempFolder.h"
#include "ui/ProductEditForm.h"
#include "ui/SettingsForm.h"

namespace quelmora {
namespace {

// Grid rows of product fields (row 0 is the header).
constexpr int RatioLBRow = 2 + 1;
constexpr int NameRow = 4 + 1;
constexpr int BoxCountRow = 13 + 1;

class ProductDialogTest : public ::testing::Test {
 protected:
  void TearDown() override {
    form_.reset();
    if (english_) {
      LoadLanguage("Russian.lng");
      OverrideLanguageFolder("");
    }
  }

  TProductEditForm& ApplyWith(int Row, const char* Value) {
    form_ = std::make_unique<TProductEditForm>(nullptr, product_, dialogs_);
    form_->show();
    form_->Grid()->SetCell(1, Row, QString::fromUtf8(Value));
    form_->ApplyClick();
    return *form_;
  }

  TProduct product_ = DefaultProduct(7);
  testing::TFakeDialogs dialogs_;
  std::unique_ptr<TProductEditForm> form_;
  testing::TTempFolder appData_;
  testing::TScopedEnv env_;
  bool english_ = false;
};

TEST_F(ProductDialogTest, EverySampleProductSurvivesAnUnchangedApply) {
  std::vector<TProduct> products = LoadLumarProject().Products;
  products.push_back(DefaultProduct(7));
  for (const TProduct& given : products) {
    TProductEditForm form(nullptr, given, dialogs_);
    EXPECT_EQ(form.Grid()->Cell(1, NameRow).toStdString(), given.Name);
    EXPECT_EQ(form.EnabledBox()->isChecked(), given.Enabled);
    form.ApplyClick();
    EXPECT_EQ(form.result(), QDialog::Accepted) << given.Name;
    EXPECT_EQ(form.Product(), given) << given.Name;
  }
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(ProductDialogTest, NameIsTrimmedIdKeptAndEnabledRead) {
  product_.Id = 41;
  product_.Enabled = true;
  TProductEditForm& form = ApplyWith(NameRow, "  Чай зелёный \t");
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(form.Product().Name, "Чай зелёный");
  EXPECT_EQ(form.Product().Id, 41);
  EXPECT_TRUE(form.Product().Enabled);

  TProductEditForm off(nullptr, product_, dialogs_);
  off.EnabledBox()->setChecked(false);
  off.Grid()->SetCell(1, RatioLBRow, QStringLiteral("1,75"));
  off.ApplyClick();
  EXPECT_FALSE(off.Product().Enabled);
  EXPECT_EQ(off.Product().RatioLB, 1.75);
}

TEST_F(ProductDialogTest, RefusedValuesShowTheErrorAndKeepTheDialogOpen) {
  struct Case {
    int Row;
    const char* Value;
    std::string Error;
  };
  const Case cases[] = {
      {BoxCountRow, "12.5", "Integer expected: N0"},
      {RatioLBRow, "x", "L/B"},
      {RatioLBRow, "0", "Product 7: L/B"},
      {NameRow, "   ", ": Название"},
  };
  for (const Case& c : cases) {
    dialogs_.Errors.clear();
    TProductEditForm& form = ApplyWith(c.Row, c.Value);
    EXPECT_NE(form.result(), QDialog::Accepted) << c.Value;
    EXPECT_TRUE(form.isVisible()) << c.Value;
    EXPECT_EQ(form.Product(), product_) << c.Value;
    EXPECT_EQ(form.Grid()->Cell(1, c.Row).toStdString(), c.Value);
    // The message; a line on what was found may follow it.
    ASSERT_EQ(dialogs_.Errors.size(), 1u) << c.Value;
    EXPECT_EQ(dialogs_.Errors[0].substr(0, dialogs_.Errors[0].find('\n')), c.Error);
  }
}

struct TFocusCase {
  int Row;
  const char* Value;
};

class ProductFocusTest : public ProductDialogTest,
                         public ::testing::WithParamInterface<TFocusCase> {};

// After the error box the cursor stands on the value at fault, wherever it was.
TEST_P(ProductFocusTest, RefusedValueLeadsToItsField) {
  form_ = std::make_unique<TProductEditForm>(nullptr, product_, dialogs_);
  form_->show();
  const int elsewhere = GetParam().Row == 1 ? 2 : 1;
  form_->Grid()->setCurrentCell(elsewhere, 1);
  form_->EnabledBox()->setFocus();
  form_->Grid()->SetCell(1, GetParam().Row, QString::fromUtf8(GetParam().Value));
  form_->ApplyClick();
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  EXPECT_EQ(form_->Grid()->currentRow(), GetParam().Row);
  EXPECT_EQ(form_->Grid()->currentColumn(), 1);
  EXPECT_EQ(form_->focusWidget(), form_->Grid());
}

INSTANTIATE_TEST_SUITE_P(Values, ProductFocusTest,
                         ::testing::Values(TFocusCase{BoxCountRow, "12.5"},
                                           TFocusCase{RatioLBRow, "x"}, TFocusCase{RatioLBRow, "0"},
                                           TFocusCase{NameRow, "   "}));

TEST_F(ProductDialogTest, EditReplacesTheProductOnlyOnApply) {
  auto answer = [](bool apply) {
    QTimer::singleShot(0, [apply] {
      auto* form = qobject_cast<TProductEditForm*>(QApplication::activeModalWidget());
      ASSERT_NE(form, nullptr);
      form->Grid()->SetCell(1, NameRow, QStringLiteral("Кофе"));
      if (apply)
        form->ApplyClick();
      else
        form->reject();
    });
  };
  answer(false);
  EXPECT_FALSE(TProductEditForm::Edit(nullptr, product_, dialogs_));
  EXPECT_EQ(product_, DefaultProduct(7));
  answer(true);
  EXPECT_TRUE(TProductEditForm::Edit(nullptr, product_, dialogs_));
  EXPECT_EQ(product_.Name, "Кофе");
}

TEST_F(ProductDialogTest, LayoutAndEnglishCaptions) {
  env_.Set("LOCALAPPDATA", appData_.Path().string());
  OverrideLanguageFolder(QUELMORA_SOURCE_DIR "/lang");
  english_ = true;
  ASSERT_TRUE(LoadLanguage("English.lng"));
  TProductEditForm form(nullptr, product_, dialogs_);
  EXPECT_EQ(form.size(), QSize(620, 640));
  EXPECT_EQ(form.Grid()->rowCount(), 15);
  EXPECT_EQ(form.Grid()->columnWidth(0), 285);
  EXPECT_EQ(form.Grid()->columnWidth(1), 290);
  EXPECT_EQ(form.Grid()->rowHeight(1), 33);
  EXPECT_EQ(form.ApplyButton()->geometry(), QRect(365, 10, 110, 32));
  EXPECT_EQ(form.EnabledBox()->geometry(), QRect(12, 14, 180, 28));
  EXPECT_EQ(form.windowTitle().toStdString(), "Product parameters");
  EXPECT_EQ(form.Grid()->Cell(0, 0).toStdString(), "Product parameters");
  EXPECT_EQ(form.Grid()->Cell(0, 1).toStdString(), "Min. volume, m³");
  EXPECT_EQ(form.Grid()->Cell(0, NameRow).toStdString(), "Name");
  EXPECT_EQ(form.EnabledBox()->text().toStdString(), "On");
  EXPECT_EQ(form.ApplyButton()->text().toStdString(), "Apply");
}

TEST_F(ProductDialogTest, EveryRowShowsTheHelpOfItsFieldTranslated) {
  setenv("LOCALAPPDATA", appData_.Path().c_str(), 1);
  OverrideLanguageFolder(QUELMORA_SOURCE_DIR "/lang");
  english_ = true;
  ASSERT_TRUE(LoadLanguage("English.lng"));
  TProductEditForm form(nullptr, product_, dialogs_);
  for (int r = 1; r <= ProductFieldCount; ++r) {
    const std::string help(ProductFields[r - 1].Help);
    EXPECT_NE(Tr(help), help);
    for (int column : {0, 1})
      EXPECT_EQ(form.Grid()->item(r, column)->toolTip().toStdString(), Tr(help)) << r;
  }
}

}  // namespace
}  // namespace quelmora
