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

}  // namespace
}  // namespace quelmora
