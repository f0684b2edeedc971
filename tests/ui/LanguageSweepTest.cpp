// Every text the English and the German window show, in every dialog and after
// every command, is free of Cyrillic letters; only the product's own name may
// carry them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <algorithm>
#include <string>
#include <vector>

#include "io/LumarData.h"
#include "l10n/TranslateControl.h"
#include "model/AppStrings.h"
#include "ui/MainCommands.h"
#include "ui/MainFormFixture.h"
#include "ui/ProductEditForm.h"
#include "ui/SettingsForm.h"

namespace quelmora::testing {
namespace {

using TAnswer = IUserDialogs::TAnswer;

const QString ProductName = QString::fromUtf8("Сахар 5 кг");

bool IsCyrillic(QChar c) {
  return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF;
}

// Collects every text that shows Cyrillic once the products' names (data,
// never translated) are taken out.
class TSweep {
 public:
  // Names seen once stay data: boxes asked about them later.
  void AddNames(const std::vector<TProduct>& Products) {
    for (const TProduct& product : Products)
      if (!Names.contains(QString::fromStdString(product.Name)))
        Names.append(QString::fromStdString(product.Name));
    std::sort(Names.begin(), Names.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
  }

  void Check(const QString& Text, const QString& Where) {
    QString rest = Text;
    for (const QString& name : Names)
      if (!name.isEmpty()) rest.remove(name);
    for (QChar c : rest)
      if (IsCyrillic(c)) {
        Found.push_back((Where + QStringLiteral(": ") + Text).toStdString());
        return;
      }
  }

  void CheckModel(const QAbstractItemModel* Model, const QString& Where) {
    if (!Model) return;
    for (int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)}) {
      for (int c = 0; c < Model->columnCount(); ++c)
        Check(Model->headerData(c, Qt::Horizontal, role).toString(), Where + " header");
      for (int r = 0; r < Model->rowCount(); ++r) {
        Check(Model->headerData(r, Qt::Vertical, role).toString(), Where + " row header");
        for (int c = 0; c < Model->columnCount(); ++c)
          Check(Model->data(Model->index(r, c), role).toString(), Where + " cell");
      }
    }
  }

  void Walk(QWidget* Root, const QString& Where) {
    QList<QWidget*> widgets = Root->findChildren<QWidget*>();
    widgets.prepend(Root);
    for (QWidget* w : widgets) {
      const QString at = Where + "/" + w->metaObject()->className() + " " + w->objectName();
      if (w->isWindow()) Check(w->windowTitle(), at + " title");
      Check(w->toolTip(), at + " tip");
      if (auto* label = qobject_cast<QLabel*>(w)) Check(label->text(), at);
      if (auto* button = qobject_cast<QAbstractButton*>(w)) Check(button->text(), at);
      if (auto* group = qobject_cast<QGroupBox*>(w)) Check(group->title(), at);
      if (auto* edit = qobject_cast<QLineEdit*>(w)) Check(edit->text(), at);
      if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) Check(memo->toPlainText(), at);
      if (auto* tabs = qobject_cast<QTabBar*>(w))
        for (int i = 0; i < tabs->count(); ++i)
          Check(tabs->tabText(i), at + " tab");
      // The language selector lists each language in its own name.
      if (auto* combo = qobject_cast<QComboBox*>(w);
          combo && combo->property(LanguageSelectorProperty).toInt() != LanguageSelectorTag)
        for (int i = 0; i < combo->count(); ++i)
          Check(combo->itemText(i), at + " item");
      if (auto* view = qobject_cast<QAbstractItemView*>(w)) CheckModel(view->model(), at);
    }
    for (QAction* action : Root->findChildren<QAction*>()) {
      Check(action->text(), Where + " action");
      Check(action->toolTip(), Where + " action tip");
    }
    for (QMenu* menu : Root->findChildren<QMenu*>())
      Check(menu->title(), Where + " menu");
  }

  void CheckAll(const std::vector<std::string>& Texts, const QString& Where) {
    for (const std::string& text : Texts)
      Check(QString::fromStdString(text), Where);
  }

  std::vector<std::string> Found;
  QStringList Names = {ProductName};
};

struct TSweepCase {
  const char* Language;      // the language file chosen
  bool SwitchedFromRussian;  // started Russian, then English, then this one
};

class LanguageSweepTest : public MainFormTest, public ::testing::WithParamInterface<TSweepCase> {
 protected:
  void StartWindow() {
    TProjectData project = LoadLumarProject();
    project.Products.resize(2);
    for (TProduct& product : project.Products)
      product.Name = ProductName.toStdString();
    if (GetParam().SwitchedFromRussian) {
      Window();
      auto* language = Control<QComboBox>("FLanguage");
      for (const char* name :
           {"English", GetParam().Language == std::string("German.lng") ? "Deutsch" : "English"})
        language->setCurrentIndex(language->findText(QString::fromUtf8(name)));
    } else {
      SaveLanguageChoice(GetParam().Language);
      Window();
    }
    ASSERT_EQ(CurrentLanguageFile(), GetParam().Language);
    OpenProject(project);
  }

  void Sweep(const QString& Where) {
    sweep_.AddNames(Window().Project().Products);
    sweep_.Walk(&Window(), Where);
    sweep_.Check(QString::fromStdString(Status()), Where + " status");
  }

  // Every command as the user would give it, the boxes answered one way.
  void RunEveryCommand(TAnswer Answer) {
    const std::string badCsv = temp_.File("bad.csv");
    WriteBytes(badCsv, "Name;L\nx;y;z;w\n");
    const std::string brokenProject = temp_.File("broken.vld");
    WriteBytes(brokenProject, "{\"Version\": 1, \"Products\": [{\"OriginalWidthMM\": \"x\"}]}");
    EditProductAnswer = [](TProduct&) { return true; };
    EditSettingsAnswer = [](TOptimizationSettings&) { return true; };
    const std::pair<int, std::function<void()>> steps[] = {
        {cmdImport, [&] { dialogs_.OpenNames.push_back(QString::fromStdString(badCsv)); }},
        {cmdAdd, [] {}},
        {cmdEdit, [&] { Grid()->SetCurrentCell(1, 1); }},
        {cmdAllParameters, [] {}},
        {cmdRun, [] {}},
        {cmdExport,
         [&] {
           dialogs_.SaveChoices.push_back({QString::fromStdString(temp_.File("r.csv")), 0});
         }},
        {cmdReport,
         [&] {
           dialogs_.SaveChoices.push_back({QString::fromStdString(temp_.File("r.pdf")), 0});
         }},
        {cmdSaveAs,
         [&] {
           dialogs_.SaveChoices.push_back({QString::fromStdString(temp_.File("s.vld")), 0});
         }},
        {cmdSave, [] {}},
        {cmdUndo, [] {}},
        {cmdRedo, [] {}},
        {cmdDelete, [&] { Grid()->SetCurrentCell(1, 2); }},
        {cmdOpen, [&] { dialogs_.OpenNames.push_back(QString::fromStdString(brokenProject)); }},
        {cmdAbout, [] {}},
        {cmdNew, [] {}},
        {cmdClose, [] {}},
        {cmdQuit, [] {}},
        {cmdCancel, [] {}},
    };
    for (const auto& [code, prepare] : steps) {
      prepare();
      dialogs_.YesNo.push_back(Answer);
      dialogs_.YesNoCancel.assign({Answer == TAnswer::Yes ? TAnswer::No : Answer});
      Window().RunCommand(code);
      if (code == cmdRun) {
        ASSERT_TRUE(WaitUntil([this] { return !Window().Busy(); }));
      }
      Sweep(QStringLiteral("after command %1").arg(code));
      dialogs_.OpenNames.clear();
      dialogs_.SaveChoices.clear();
    }
  }

  void SweepDialogs() {
    TProduct product = Window().Project().Products.at(0);
    product.Name = ProductName.toStdString();
    TProductEditForm productForm(&Window(), product, dialogs_);
    sweep_.Walk(&productForm, "product dialog");
    productForm.Grid()->SetCell(1, 1, QStringLiteral("x"));
    productForm.ApplyClick();
    TSettingsForm settingsForm(&Window(), Window().Project().Settings, dialogs_);
    sweep_.Walk(&settingsForm, "settings dialog");
    settingsForm.Grid()->SetCell(1, 1, QStringLiteral("x"));
    settingsForm.ApplyClick();
    TMismatchQuestion ask = VolumeMismatchQuestion(dialogs_, &Window(), TNumberFormat{"."});
    ask(product, 0.5);
  }

  void CheckDialogTexts() {
    sweep_.CheckAll(dialogs_.Errors, "error");
    sweep_.CheckAll(dialogs_.Infos, "info");
    sweep_.CheckAll(dialogs_.Questions, "question");
    sweep_.CheckAll(dialogs_.CheckTexts, "check box");
    for (const QStringList& filters : dialogs_.FiltersSeen)
      sweep_.Check(filters.join(";;"), "file filter");
  }

  TSweep sweep_;
};

TEST_P(LanguageSweepTest, NoTextOutsideProductNamesIsCyrillic) {
  StartWindow();
  Sweep("start");
  for (TAnswer answer : {TAnswer::Yes, TAnswer::No, TAnswer::Cancel})
    RunEveryCommand(answer);
  SweepDialogs();
  CheckDialogTexts();
  EXPECT_FALSE(dialogs_.Errors.empty()) << "the broken files were not refused";
  EXPECT_TRUE(sweep_.Found.empty()) << ::testing::PrintToString(sweep_.Found);
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageSweepTest,
                         ::testing::Values(TSweepCase{"English.lng", false},
                                           TSweepCase{"German.lng", false},
                                           TSweepCase{"German.lng", true}));

}  // namespace
}  // namespace quelmora::testing
