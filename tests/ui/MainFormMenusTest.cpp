// The window's menus, their keys and the mnemonics of the buttons.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <set>

#include "io/LumarData.h"
#include "model/AppStrings.h"
#include "model/SettingsFields.h"
#include "ui/MainFormFixture.h"
#include "ui/MainMenu.h"
#include "ui/Mnemonics.h"

namespace quelmora::testing {
namespace {

std::string Text(const QString& text) {
  return text.toStdString();
}

// The sample eight times over with the default search limits: a run long
// enough to be cancelled.
TProjectData LongProject() {
  const TProjectData sample = LoadLumarProject();
  TProjectData project = sample;
  project.Settings = DefaultSettings();
  project.Products.clear();
  for (int copy = 0; copy < 8; ++copy)
    for (TProduct product : sample.Products) {
      product.Id = static_cast<int32_t>(project.Products.size() + 1);
      project.Products.push_back(product);
    }
  return project;
}

class MainFormMenusTest : public MainFormTest {
 protected:
  QAction* Action(int code) {
    QAction* action = Window().MenuAction(code);
    EXPECT_NE(action, nullptr) << code;
    return action;
  }
  // The window shown and active, so that its keys reach it.
  void Activate() {
    ShowWindow();
    QApplication::setActiveWindow(&Window());
    QCoreApplication::processEvents();
  }
  std::set<int> EnabledActions() {
    std::set<int> codes;
    for (int code = cmdImport; code <= cmdAbout; ++code)
      if (QAction* action = Window().MenuAction(code); action && action->isEnabled())
        codes.insert(code);
    return codes;
  }
};

const std::set<int> AllCodes = {cmdNew,    cmdOpen, cmdSave,   cmdSaveAs, cmdImport, cmdExport,
                                cmdReport, cmdQuit, cmdUndo,   cmdRedo,   cmdAdd,    cmdEdit,
                                cmdDelete, cmdRun,  cmdCancel, cmdAbout};

TEST_F(MainFormMenusTest, EveryMenuCommandHasItsItemUnderItsTitle) {
  struct TCase {
    const char* Title;
    std::vector<int> Codes;
  };
  const TCase menus[] = {
      {SMenuFile, {cmdNew, cmdOpen, cmdSave, cmdSaveAs, cmdImport, cmdExport, cmdReport, cmdQuit}},
      {SMenuEdit, {cmdUndo, cmdRedo, cmdAdd, cmdEdit, cmdDelete}},
      {SMenuRun, {cmdRun, cmdCancel}},
      {SMenuHelp, {cmdAbout}},
  };
  auto* bar = Control<QMenuBar>("MainMenu");
  ASSERT_EQ(bar->actions().size(), 4);
  for (size_t m = 0; m < std::size(menus); ++m) {
    QAction* title = bar->actions()[static_cast<int>(m)];
    EXPECT_EQ(Text(WithoutMnemonic(title->text())), menus[m].Title);
    std::vector<int> codes;
    for (QAction* item : title->menu()->actions())
      if (item->property("commandCode").isValid())
        codes.push_back(item->property("commandCode").toInt());
    EXPECT_EQ(codes, menus[m].Codes) << menus[m].Title;
  }
  EXPECT_EQ(Text(WithoutMnemonic(Action(cmdOpen)->text())), std::string(SOpen) + "…");
  EXPECT_EQ(Text(WithoutMnemonic(Action(cmdRun)->text())), SCalculate);
}

TEST_F(MainFormMenusTest, ImpossibleCommandsAreDisabledLikeTheirButtons) {
  std::set<int> idle = AllCodes;
  for (int code : {cmdExport, cmdReport, cmdCancel, cmdUndo, cmdRedo})
    idle.erase(code);
  EXPECT_EQ(EnabledActions(), idle);

  RunAndWait();
  idle.insert(cmdExport);
  idle.insert(cmdReport);
  EXPECT_EQ(EnabledActions(), idle);

  OpenProject(LongProject());
  Click(cmdRun);
  ASSERT_TRUE(Window().Busy());
  EXPECT_EQ(EnabledActions(), (std::set<int>{cmdCancel, cmdQuit, cmdAbout}));
  Action(cmdCancel)->trigger();
  ASSERT_TRUE(WaitUntil([this] { return !Window().Busy(); }));
  EXPECT_TRUE(Window().Result().Cancelled);
  EXPECT_FALSE(Action(cmdCancel)->isEnabled());
  EXPECT_FALSE(Action(cmdExport)->isEnabled());

  // Undo follows the history: a change makes it possible, undoing it makes redo possible.
  EXPECT_FALSE(Action(cmdUndo)->isEnabled());
  EditProductAnswer = [](TProduct&) { return true; };
  Window().RunCommand(cmdAdd);
  EXPECT_TRUE(Action(cmdUndo)->isEnabled());
  EXPECT_FALSE(Action(cmdRedo)->isEnabled());
  Action(cmdUndo)->trigger();
  EXPECT_FALSE(Action(cmdUndo)->isEnabled());
  EXPECT_TRUE(Action(cmdRedo)->isEnabled());
}

TEST_F(MainFormMenusTest, KeysRunTheirCommands) {
  struct TCase {
    const char* Name;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    const char* Filter;  // of the dialog the command asks with
    bool Saving;
  };
  const TCase cases[] = {
      {"Open", Qt::Key_O, Qt::ControlModifier, "quelmora (*.vld)", false},
      {"Save without a file", Qt::Key_S, Qt::ControlModifier, "quelmora (*.vld)", true},
      {"Save As", Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, "quelmora (*.vld)", true},
  };
  Activate();
  for (const TCase& c : cases) {
    dialogs_.FiltersSeen.clear();
    dialogs_.SuffixesSeen.clear();
    QTest::keyClick(&Window(), c.Key, c.Modifiers);
    ASSERT_EQ(dialogs_.FiltersSeen.size(), 1u) << c.Name;
    EXPECT_EQ(dialogs_.FiltersSeen[0], QStringList{QString::fromUtf8(c.Filter)}) << c.Name;
    EXPECT_EQ(dialogs_.SuffixesSeen.size(), c.Saving ? 1u : 0u) << c.Name;
  }

  QTest::keyClick(&Window(), Qt::Key_F9);
  ASSERT_TRUE(WaitUntil([this] { return !Window().Busy(); }));
  EXPECT_EQ(Window().Result().Solutions.size(), 12u);

  Control<QLineEdit>("FQuick2")->setText("5");
  dialogs_.YesNoCancel.push_back(IUserDialogs::TAnswer::No);
  QTest::keyClick(&Window(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_FALSE(Window().Modified());
  EXPECT_EQ(Window().Project(), LoadLumarProject());

  QTest::keyClick(&Window(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(Window().isVisible());
}

TEST_F(MainFormMenusTest, EscapeCancelsARunButLeavesTheGridEditorAlone) {
  Activate();
  Grid()->setFocus();
  const QModelIndex cell = Grid()->model()->index(0, 4);
  Grid()->setCurrentIndex(cell);
  Grid()->edit(cell);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->setText("typed");
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_EQ(Grid()->Cell(4, 1).toStdString(), LoadLumarProject().Products[0].Name)
      << "Esc drops the typed value";
  EXPECT_FALSE(Window().Modified());

  OpenProject(LongProject());
  Click(cmdRun);
  ASSERT_TRUE(Window().Busy());
  QTest::keyClick(&Window(), Qt::Key_Escape);
  ASSERT_TRUE(WaitUntil([this] { return !Window().Busy(); }));
  EXPECT_TRUE(Window().Result().Cancelled);
}

// Menu titles and buttons share the window's Alt keys: no letter twice.
void ExpectDistinctMnemonics(TMainForm& window) {
  QString letters;
  const auto take = [&](const QString& text, const std::string& what) {
    const qsizetype mark = text.indexOf(QLatin1Char('&'));
    ASSERT_GE(mark, 0) << what << " " << text.toStdString();
    EXPECT_EQ(text.count(QLatin1Char('&')), 1) << what;
    const QChar letter = text.at(mark + 1).toLower();
    EXPECT_FALSE(letters.contains(letter)) << what;
    letters += letter;
  };
  for (QAction* title : window.findChild<QMenuBar*>("MainMenu")->actions())
    take(title->text(), title->text().toStdString());
  for (int code = cmdImport; code <= cmdAbout; ++code)
    if (QPushButton* button = window.CommandButton(code))
      take(button->text(), std::to_string(code));
}

TEST_F(MainFormMenusTest, ButtonsAndMenuTitlesCarryDistinctMnemonicsInEveryLanguage) {
  ExpectDistinctMnemonics(Window());
  EXPECT_EQ(Text(WithoutMnemonic(Button(cmdSave)->text())), SSave);
  auto* language = Control<QComboBox>("FLanguage");
  for (const char* name : {"English", "Deutsch", "Русский"}) {
    language->setCurrentIndex(language->findText(QString::fromUtf8(name)));
    ExpectDistinctMnemonics(Window());
    EXPECT_EQ(Text(WithoutMnemonic(Button(cmdRun)->text())), Tr(SCalculate)) << name;
    EXPECT_EQ(Text(WithoutMnemonic(Action(cmdSaveAs)->text())), Tr(SSaveAs) + "…") << name;
  }
}

TEST_F(MainFormMenusTest, AboutNamesProgramVersionAndLicence) {
  Action(cmdAbout)->trigger();
  ASSERT_EQ(dialogs_.Infos.size(), 1u);
  const std::string& text = dialogs_.Infos[0];
  EXPECT_NE(text.find(SAppTitle), std::string::npos);
  EXPECT_NE(text.find(std::string("Версия ") + QUELMORA_VERSION), std::string::npos) << text;
  EXPECT_NE(text.find("Лицензия"), std::string::npos) << text;
}

struct TMnemonicCase {
  const char* Caption;
  const char* Used;
  const char* Expected;
  const char* UsedAfter;
};

class MnemonicTest : public ::testing::TestWithParam<TMnemonicCase> {};

TEST_P(MnemonicTest, FirstFreeLetterPreferringWordStarts) {
  const TMnemonicCase& c = GetParam();
  QString used = QString::fromUtf8(c.Used);
  EXPECT_EQ(WithMnemonic(QString::fromUtf8(c.Caption), used).toStdString(), c.Expected);
  EXPECT_EQ(used.toStdString(), c.UsedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, MnemonicTest,
    ::testing::Values(TMnemonicCase{"Save", "", "&Save", "s"},
                      TMnemonicCase{"Save As", "s", "Save &As", "sa"},
                      TMnemonicCase{"Export", "e", "E&xport", "ex"},
                      TMnemonicCase{"Все параметры", "в", "Все &параметры", "вп"},
                      TMnemonicCase{"&Open", "", "&Open", "o"}, TMnemonicCase{"1:1", "", "1:1", ""},
                      TMnemonicCase{"Ab", "ab", "Ab", "ab"}));

}  // namespace
}  // namespace quelmora::testing
