#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>

#include "l10n/Localization.h"
#include "l10n/TranslateControl.h"
#include "l10n/TranslationKeys.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

class TranslateControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteBytes(temp_.File("Russian.lng"), "language=Русский\nРасчет=Расчет\n");
    testing::WriteBytes(temp_.File("English.lng"),
                        "language=English\n"
                        "Расчет=&Calculate\n"
                        "Параметры=Parameters\n"
                        "Валюта=Currency\n"
                        "Группа=Group\n"
                        "Подсказка=Hint\n"
                        "Один=One\n"
                        "Два=Two\n"
                        "Русский=Russian\n"
                        "Название=Name\n");
    testing::WriteBytes(temp_.File("German.lng"),
                        "language=Deutsch\n"
                        "Расчет=&Berechnen\n"
                        "Параметры=Parameter\n"
                        "Валюта=Währung\n"
                        "Подсказка=Hinweis\n"
                        "Один=Eins\n"
                        "Два=Zwei\n"
                        "ECT=ECT-Wert\n"
                        "Прочность=Festigkeit\n");
    // English writes "ECT" for two keys, one of which is itself "ECT".
    testing::WriteBytes(temp_.File("English.lng"),
                        testing::ReadBytes(temp_.File("English.lng")) + "ECT=ECT\nПрочность=ECT\n");
    RegisterCatalogueKeys({"Расчет", "Параметры", "Валюта", "Группа", "Подсказка", "Один", "Два",
                           "Название", "ECT", "Прочность"});
    OverrideLanguageFolder(temp_.Path().string());
    ASSERT_TRUE(LoadLanguage("English.lng"));
  }
  void TearDown() override { OverrideLanguageFolder(""); }

  testing::TTempFolder temp_;
};

TEST_F(TranslateControlTest, TranslatesCaptionsItemsAndHints) {
  QWidget form;
  form.setWindowTitle(QString::fromUtf8("Параметры"));
  auto* layout = new QVBoxLayout(&form);
  auto* button = new QPushButton(QString::fromUtf8("&Расчет"), &form);
  button->setToolTip(QString::fromUtf8("Подсказка"));
  auto* label = new QLabel(QString::fromUtf8("Валюта"), &form);
  auto* group = new QGroupBox(QString::fromUtf8("Группа"), &form);
  auto* inner = new QVBoxLayout(group);
  auto* check = new QCheckBox(QString::fromUtf8("Один"), group);
  auto* radio = new QRadioButton(QString::fromUtf8("Два"), group);
  auto* combo = new QComboBox(group);
  combo->addItems({QString::fromUtf8("Один"), QString::fromUtf8("Два")});
  auto* selector = new QComboBox(&form);
  selector->setProperty(LanguageSelectorProperty, LanguageSelectorTag);
  selector->addItems({QString::fromUtf8("Русский"), QStringLiteral("English")});
  auto* edit = new QLineEdit(QString::fromUtf8("Название"), &form);
  inner->addWidget(check);
  inner->addWidget(radio);
  inner->addWidget(combo);
  for (QWidget* w : std::initializer_list<QWidget*>{button, label, group, selector, edit})
    layout->addWidget(w);

  TranslateControlTree(&form);

  EXPECT_EQ(form.windowTitle(), "Parameters");
  EXPECT_EQ(button->text(), "&Calculate");
  EXPECT_EQ(button->toolTip(), "Hint");
  EXPECT_EQ(label->text(), "Currency");
  EXPECT_EQ(group->title(), "Group");
  EXPECT_EQ(check->text(), "One");
  EXPECT_EQ(radio->text(), "Two");
  EXPECT_EQ(combo->itemText(0), "One");
  EXPECT_EQ(combo->itemText(1), "Two");
  // Display names of the selector and texts of other widgets stay.
  EXPECT_EQ(selector->itemText(0), QString::fromUtf8("Русский"));
  EXPECT_EQ(edit->text(), QString::fromUtf8("Название"));
}

TEST_F(TranslateControlTest, SwitchingBackToRussianRestoresTheCaptions) {
  QPushButton button(QString::fromUtf8("&Расчет"));
  TranslateControl(&button);  // a top-level widget: its window title is empty and stays so
  EXPECT_EQ(button.text(), "&Calculate");
  ASSERT_TRUE(LoadLanguage("Russian.lng"));
  TranslateControl(&button);
  EXPECT_EQ(button.text(), QString::fromUtf8("Расчет"));
  EXPECT_TRUE(button.windowTitle().isEmpty());
  TranslateControlTree(nullptr);
}

// A window as the program builds it: Russian texts, translated afterwards.
struct TSampleForm {
  QWidget Form;
  QPushButton* Button = new QPushButton(QString::fromUtf8("&Расчет"), &Form);
  QLabel* Strength = new QLabel(QString::fromUtf8("Прочность"), &Form);
  QLabel* Ect = new QLabel(QStringLiteral("ECT"), &Form);
  QLabel* Name = new QLabel(QStringLiteral("Calculate"), &Form);  // data, no key
  QLabel* Marked = new QLabel(QString::fromUtf8("Валюта"), &Form);
  QComboBox* Combo = new QComboBox(&Form);
  QLabel* Keyed = new QLabel(&Form);

  TSampleForm() {
    Form.setWindowTitle(QString::fromUtf8("Параметры"));
    Button->setToolTip(QString::fromUtf8("Подсказка"));
    Combo->addItems({QString::fromUtf8("Один"), QStringLiteral("Liter")});
    MarkLiteral(Marked);
    SetKeyedText(Keyed, "Два");
    AddKeyedItem(Combo, "Два");
    Translate();
  }

  // As the window does: translate, then add the mnemonics.
  void Translate() {
    TranslateControlTree(&Form);
    Button->setText(QLatin1Char('&') + Button->text().remove(QLatin1Char('&')));
  }

  QStringList Captions() const {
    QStringList texts = {Form.windowTitle(), Button->text(), Button->toolTip(), Strength->text(),
                         Ect->text(),        Name->text(),   Marked->text(),    Keyed->text()};
    for (int i = 0; i < Combo->count(); ++i)
      texts << Combo->itemText(i);
    return texts;
  }
};

QStringList FreshCaptions(const char* file) {
  EXPECT_TRUE(LoadLanguage(file));
  TSampleForm fresh;
  return fresh.Captions();
}

// Captions are translated from their keys, never from what the screen shows:
// English shows "ECT" for two keys, and each goes back to its own.
TEST_F(TranslateControlTest, SwitchingGivesTheCaptionsOfAFreshStart) {
  ASSERT_TRUE(LoadLanguage("Russian.lng"));
  TSampleForm form;
  for (const char* file : {"English.lng", "German.lng", "Russian.lng", "German.lng"}) {
    const QStringList expected = FreshCaptions(file);
    ASSERT_TRUE(LoadLanguage(file));
    form.Translate();
    EXPECT_EQ(form.Captions(), expected) << file;
  }
  EXPECT_EQ(form.Strength->text(), "Festigkeit");
  EXPECT_EQ(form.Ect->text(), "ECT-Wert");
  EXPECT_EQ(form.Keyed->text(), "Zwei");
  EXPECT_EQ(form.Combo->itemText(2), "Zwei");
}

// Texts that are no keys, or marked as data, stay as they are in every
// language, even when they read like a translation.
TEST_F(TranslateControlTest, DataTextsStayAsTheyAre) {
  TSampleForm form;
  for (const char* file : {"German.lng", "Russian.lng", "English.lng"}) {
    ASSERT_TRUE(LoadLanguage(file));
    form.Translate();
    EXPECT_EQ(form.Name->text(), "Calculate") << file;
    EXPECT_EQ(form.Marked->text(), QString::fromUtf8("Валюта")) << file;
    EXPECT_EQ(form.Combo->itemText(1), "Liter") << file;
  }
  // A data text stays data when the program later puts a key there.
  form.Name->setText(QString::fromUtf8("Один"));
  form.Translate();
  EXPECT_EQ(form.Name->text(), QString::fromUtf8("Один"));
}

// A text the program replaces is taken from the screen again.
TEST_F(TranslateControlTest, ATextReplacedByTheProgramIsTakenAfresh) {
  TSampleForm form;
  form.Strength->setText(QString::fromUtf8("Два"));
  form.Combo->setItemText(0, QString::fromUtf8("Параметры"));
  ASSERT_TRUE(LoadLanguage("German.lng"));
  form.Translate();
  EXPECT_EQ(form.Strength->text(), "Zwei");
  EXPECT_EQ(form.Combo->itemText(0), "Parameter");
  form.Strength->setText(QStringLiteral("12 kg"));
  ASSERT_TRUE(LoadLanguage("English.lng"));
  form.Translate();
  EXPECT_EQ(form.Strength->text(), "12 kg");
}

}  // namespace
}  // namespace quelmora
