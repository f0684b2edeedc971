#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "l10n/Localization.h"
#include "model/AppStrings.h"
#include "model/PalletPresets.h"
#include "model/SettingsFields.h"
#include "support/FakeDialogs.h"
#include "support/ScopedEnv.h"
#include "support/TempFolder.h"
#include "ui/SettingsForm.h"

namespace quelmora {
namespace {

// Row of a settings field in the grid (row 0 is the header).
constexpr int LengthGapRow = 2 + 1;
constexpr int MaxPacksPerBoxRow = 24 + 1;
constexpr int MaxGeometryEvaluationsRow = 26 + 1;
constexpr int PalletLengthRow = FieldIndex(SettingsFields, "PalletLengthMM") + 1;
constexpr int PalletWidthRow = FieldIndex(SettingsFields, "PalletWidthMM") + 1;
constexpr int OtherPreset = static_cast<int>(PalletPresets.size());

class SettingsDialogTest : public ::testing::Test {
 protected:
  void TearDown() override {
    form_.reset();
    QLocale::setDefault(locale_);
    if (english_) {
      LoadLanguage("Russian.lng");
      OverrideLanguageFolder("");
    }
  }

  // English current, from the shipped language files.
  void UseEnglish() {
    env_.Set("LOCALAPPDATA", appData_.Path().string());
    OverrideLanguageFolder(QUELMORA_SOURCE_DIR "/lang");
    english_ = true;
    ASSERT_TRUE(LoadLanguage("English.lng"));
  }

  // Shows the dialog on the given settings, sets one value cell, applies.
  TSettingsForm& ApplyWith(int Row, const char* Value) {
    form_ = std::make_unique<TSettingsForm>(nullptr, settings_, dialogs_);
    form_->show();
    form_->Grid()->SetCell(1, Row, QString::fromUtf8(Value));
    form_->ApplyClick();
    return *form_;
  }

  TOptimizationSettings settings_ = DefaultSettings();
  testing::TFakeDialogs dialogs_;
  std::unique_ptr<TSettingsForm> form_;
  QLocale locale_;
  testing::TTempFolder appData_;
  testing::TScopedEnv env_;
  bool english_ = false;
};

TEST_F(SettingsDialogTest, UnchangedApplyReturnsTheSameSettings) {
  TOptimizationSettings odd = DefaultSettings();
  odd.LengthGapMM = 123.456789012345;  // 15 significant digits
  odd.WeightDimension = 0.1;
  odd.BoardThicknessMM = 1e-5;
  odd.VolumeMismatchMode = Ask;
  odd.AllowOversizeBoxes = true;
  odd.SortBoxes = false;
  odd.CurrencySymbol = " €";
  odd.PalletMethod = pmBestLayer;
  odd.PalletLengthMM = 1234.5;  // no preset
  odd.PalletOverhangMM = 12.5;
  odd.PalletWeightKG = 22;
  odd.MaxLoadedPalletWeightKG = 900;
  odd.PalletHeightMM = 144;
  for (const TOptimizationSettings& given : {DefaultSettings(), odd}) {
    for (const char* locale : {"C", "de_DE", "en_US"}) {
      QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
      TSettingsForm form(nullptr, given, dialogs_);
      form.ApplyClick();
      EXPECT_EQ(form.result(), QDialog::Accepted) << locale;
      EXPECT_EQ(form.Settings(), given) << locale;
    }
  }
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(SettingsDialogTest, ValuesUseTheUsersDecimalSeparator) {
  TSettingsForm plain(nullptr, settings_, dialogs_);
  EXPECT_EQ(plain.Grid()->Cell(1, 1).toStdString(), "-15");
  EXPECT_EQ(plain.Grid()->Cell(1, 18).toStdString(), "0.1");
  EXPECT_EQ(plain.Grid()->Cell(1, MaxGeometryEvaluationsRow).toStdString(), "50000");
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  TSettingsForm german(nullptr, settings_, dialogs_);
  EXPECT_EQ(german.Grid()->Cell(1, 18).toStdString(), "0,1");
  // A separator TryParseNumber could not read back is shown as a point.
  QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
  TSettingsForm arabic(nullptr, settings_, dialogs_);
  EXPECT_EQ(arabic.Grid()->Cell(1, 18).toStdString(), "0.1");
}

TEST_F(SettingsDialogTest, DecimalCommaIsAcceptedInAnyLocale) {
  for (const char* locale : {"C", "de_DE", "en_US"}) {
    QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
    EXPECT_EQ(ApplyWith(LengthGapRow, "1,5").result(), QDialog::Accepted) << locale;
    EXPECT_EQ(form_->Settings().LengthGapMM, 1.5) << locale;
  }
}

TEST_F(SettingsDialogTest, RefusedValuesShowTheErrorAndKeepTheDialogOpen) {
  struct Case {
    int Row;
    const char* Value;
    std::string Error;
  };
  const Case cases[] = {
      {LengthGapRow, "abc", std::string(SettingsFieldCaptions[2])},
      {MaxPacksPerBoxRow, "12.5", "Integer expected: Макс. пачек в ящике"},
      {MaxGeometryEvaluationsRow, "99", "Некорректный параметр: Лимит проверок геометрии"},
  };
  for (const Case& c : cases) {
    dialogs_.Errors.clear();
    TSettingsForm& form = ApplyWith(c.Row, c.Value);
    EXPECT_NE(form.result(), QDialog::Accepted) << c.Value;
    EXPECT_TRUE(form.isVisible()) << c.Value;
    EXPECT_EQ(form.Settings(), settings_) << c.Value;
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

class SettingsFocusTest : public SettingsDialogTest,
                          public ::testing::WithParamInterface<TFocusCase> {};

// After the error box the cursor stands on the value at fault, wherever it was.
TEST_P(SettingsFocusTest, RefusedValueLeadsToItsField) {
  form_ = std::make_unique<TSettingsForm>(nullptr, settings_, dialogs_);
  form_->show();
  const int elsewhere = GetParam().Row == 1 ? 2 : 1;
  form_->Grid()->setCurrentCell(elsewhere, 1);
  form_->CancelButton()->setFocus();
  form_->Grid()->SetCell(1, GetParam().Row, QString::fromUtf8(GetParam().Value));
  form_->ApplyClick();
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  EXPECT_EQ(form_->Grid()->currentRow(), GetParam().Row);
  EXPECT_EQ(form_->Grid()->currentColumn(), 1);
  EXPECT_EQ(form_->focusWidget(), form_->Grid());
}

INSTANTIATE_TEST_SUITE_P(Values, SettingsFocusTest,
                         ::testing::Values(TFocusCase{LengthGapRow, "abc"},
                                           TFocusCase{MaxPacksPerBoxRow, "12.5"},
                                           TFocusCase{MaxGeometryEvaluationsRow, "99"},
                                           TFocusCase{PalletWidthRow, "-5"}));

TEST_F(SettingsDialogTest, CurrencyMustNotBeBlankAndKeepsALeadingBlank) {
  for (const char* blank : {"", "   "}) {
    dialogs_.Errors.clear();
    TSettingsForm form(nullptr, settings_, dialogs_);
    form.CurrencyEdit()->setText(QString::fromLatin1(blank));
    form.ApplyClick();
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_EQ(dialogs_.Errors, std::vector<std::string>{"Некорректный параметр: Валюта"});
  }
  TSettingsForm form(nullptr, settings_, dialogs_);
  form.CurrencyEdit()->setText(QStringLiteral(" $"));
  form.ApplyClick();
  EXPECT_EQ(form.Settings().CurrencySymbol, " $");
}

TEST_F(SettingsDialogTest, ControlsOutsideTheGridAreReadAndSortBoxesPassesThrough) {
  for (bool sort : {false, true}) {
    settings_.SortBoxes = sort;
    TSettingsForm form(nullptr, settings_, dialogs_);
    EXPECT_EQ(form.ModeBox()->currentIndex(), 0);
    form.ModeBox()->setCurrentIndex(2);
    form.OversizeBox()->setChecked(true);
    form.ApplyClick();
    EXPECT_EQ(form.Settings().SortBoxes, sort);
    EXPECT_EQ(form.Settings().VolumeMismatchMode, Ask);
    EXPECT_TRUE(form.Settings().AllowOversizeBoxes);
  }
}

// A preset fills both sizes; "another size" keeps what is typed; the list
// follows typing to the preset it matches, or to "another size".
TEST_F(SettingsDialogTest, PalletPresetsFillTheSizesAndFollowTyping) {
  TSettingsForm form(nullptr, settings_, dialogs_);
  EXPECT_EQ(form.PresetBox()->count(), OtherPreset + 1);
  EXPECT_EQ(form.PresetBox()->currentIndex(),
            FindPalletPreset(settings_.PalletLengthMM, settings_.PalletWidthMM));
  for (int i = OtherPreset - 1; i >= 0; --i) {
    form.PresetBox()->setCurrentIndex(i);
    EXPECT_EQ(form.Grid()->Cell(1, PalletLengthRow), FieldNumberText(PalletPresets[i].LengthMM));
    EXPECT_EQ(form.Grid()->Cell(1, PalletWidthRow), FieldNumberText(PalletPresets[i].WidthMM));
    EXPECT_EQ(form.PresetBox()->currentIndex(), i);
  }
  form.PresetBox()->setCurrentIndex(OtherPreset);  // the first preset's sizes stay
  EXPECT_EQ(form.Grid()->Cell(1, PalletLengthRow), FieldNumberText(PalletPresets[0].LengthMM));

  struct Typed {
    const char* Length;
    const char* Width;
    int Preset;
  };
  const Typed typed[] = {
      {"1100", "1100", FindPalletPreset(1100, 1100)},
      {"1219", "1016", FindPalletPreset(1219, 1016)},
      {"1016", "1219", OtherPreset},
      {"1234,5", "800", OtherPreset},
      {"abc", "800", OtherPreset},
      {"600", "400", FindPalletPreset(600, 400)},
  };
  for (const Typed& t : typed) {
    form.Grid()->SetCell(1, PalletLengthRow, QString::fromLatin1(t.Length));
    form.Grid()->SetCell(1, PalletWidthRow, QString::fromLatin1(t.Width));
    EXPECT_EQ(form.PresetBox()->currentIndex(), t.Preset) << t.Length << " x " << t.Width;
    EXPECT_EQ(form.Grid()->Cell(1, PalletLengthRow).toStdString(), t.Length);
  }
  form.Grid()->SetCell(1, PalletLengthRow, QStringLiteral("1234,5"));
  form.ApplyClick();
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(form.Settings().PalletLengthMM, 1234.5);
  EXPECT_EQ(form.Settings().PalletWidthMM, 400);
}

TEST_F(SettingsDialogTest, PalletMethodIsShownAndRead) {
  for (TPalletMethod method : {pmColumnGrid, pmBestLayer}) {
    settings_.PalletMethod = method;
    TSettingsForm form(nullptr, settings_, dialogs_);
    EXPECT_EQ(form.MethodBox()->count(), 2);
    EXPECT_EQ(form.MethodBox()->currentIndex(), static_cast<int>(method));
    const TPalletMethod other = method == pmColumnGrid ? pmBestLayer : pmColumnGrid;
    form.MethodBox()->setCurrentIndex(static_cast<int>(other));
    form.ApplyClick();
    EXPECT_EQ(form.Settings().PalletMethod, other);
  }
}

TEST_F(SettingsDialogTest, TypingInTheOpenEditorIsAppliedByEnter) {
  TSettingsForm form(nullptr, settings_, dialogs_);
  form.show();
  auto* editor = qobject_cast<QLineEdit*>(form.Grid()->indexWidget(form.Grid()->currentIndex()));
  ASSERT_NE(editor, nullptr);  // the editor is open from the start
  editor->setText(QStringLiteral("-7,25"));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(editor, &enter);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(form.Settings().DimensionDeviationMinPercent, -7.25);
}

TEST_F(SettingsDialogTest, EscapeInTheEditorCancels) {
  TSettingsForm form(nullptr, settings_, dialogs_);
  form.show();
  QWidget* editor = form.Grid()->indexWidget(form.Grid()->currentIndex());
  ASSERT_NE(editor, nullptr);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(editor, &escape);
  EXPECT_EQ(form.result(), QDialog::Rejected);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(SettingsDialogTest, EditReplacesTheSettingsOnlyOnApply) {
  auto answer = [](bool apply) {
    QTimer::singleShot(0, [apply] {
      auto* form = qobject_cast<TSettingsForm*>(QApplication::activeModalWidget());
      ASSERT_NE(form, nullptr);
      form->Grid()->SetCell(1, LengthGapRow, QStringLiteral("9"));
      if (apply)
        form->ApplyClick();
      else
        form->CancelButton()->click();
    });
  };
  answer(false);
  EXPECT_FALSE(TSettingsForm::Edit(nullptr, settings_, dialogs_));
  EXPECT_EQ(settings_, DefaultSettings());
  answer(true);
  EXPECT_TRUE(TSettingsForm::Edit(nullptr, settings_, dialogs_));
  EXPECT_EQ(settings_.LengthGapMM, 9);
}

TEST_F(SettingsDialogTest, LayoutFollowsTheDesign) {
  TSettingsForm form(nullptr, settings_, dialogs_);
  EXPECT_EQ(form.size(), QSize(780, 720));
  EXPECT_EQ(form.Grid()->rowCount(), SettingsFieldCount + 1);
  EXPECT_EQ(form.Grid()->columnWidth(0), 500);
  EXPECT_EQ(form.Grid()->columnWidth(1), 225);
  EXPECT_EQ(form.Grid()->rowHeight(5), 30);
  EXPECT_EQ(form.ApplyButton()->geometry(), QRect(510, 76, 110, 32));
  EXPECT_TRUE(form.ApplyButton()->isDefault());
  EXPECT_EQ(form.CancelButton()->geometry(), QRect(630, 76, 110, 32));
  EXPECT_EQ(form.ModeBox()->count(), 3);
  EXPECT_FALSE(form.ModeBox()->isEditable());
  EXPECT_FALSE(form.Grid()->item(3, 0)->flags() & Qt::ItemIsEditable);
  EXPECT_TRUE(form.Grid()->item(3, 1)->flags() & Qt::ItemIsEditable);
  EXPECT_EQ(form.Grid()->Cell(0, 0).toStdString(), "Все параметры");
  EXPECT_EQ(form.Grid()->Cell(1, 0).toStdString(), "");
}

TEST_F(SettingsDialogTest, CaptionsAndErrorsFollowTheCurrentLanguage) {
  UseEnglish();
  TSettingsForm& form = ApplyWith(LengthGapRow, "abc");
  EXPECT_EQ(form.windowTitle().toStdString(), "All parameters");
  EXPECT_EQ(form.Grid()->Cell(0, 0).toStdString(), "All parameters");
  EXPECT_EQ(form.Grid()->Cell(0, LengthGapRow).toStdString(), "Length clearance (total), mm");
  EXPECT_EQ(form.ApplyButton()->text().toStdString(), "Apply");
  EXPECT_EQ(form.CancelButton()->text().toStdString(), "Cancel");
  EXPECT_EQ(form.ModeBox()->itemText(0).toStdString(), "Specified range");
  EXPECT_EQ(form.OversizeBox()->text().toStdString(), "Allow boxes beyond the pallet dimensions");
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  // The message, then what was found.
  const std::string& error = dialogs_.Errors[0];
  EXPECT_EQ(error.substr(0, error.find('\n')), "Length clearance (total), mm");
  EXPECT_NE(error.find("abc"), std::string::npos) << error;
}

TEST_F(SettingsDialogTest, EveryRowShowsTheHelpOfItsFieldTranslated) {
  UseEnglish();
  TSettingsForm form(nullptr, settings_, dialogs_);
  for (int r = 1; r <= SettingsFieldCount; ++r) {
    const std::string help(SettingsFields[r - 1].Help);
    EXPECT_NE(Tr(help), help);
    for (int column : {0, 1})
      EXPECT_EQ(form.Grid()->item(r, column)->toolTip().toStdString(), Tr(help)) << r;
  }
}

}  // namespace
}  // namespace quelmora
