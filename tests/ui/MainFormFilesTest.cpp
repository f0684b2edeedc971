// Projects and files from the window's side: title, Save and Save As, the
// close question, recent files, export type, drops and the file named at start.
#include <QAction>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <filesystem>

#include "io/LumarData.h"
#include "io/Utf8File.h"
#include "l10n/RecentFiles.h"
#include "l10n/SettingsIni.h"
#include "model/AppStrings.h"
#include "ui/MainFormFixture.h"
#include "ui/WindowFiles.h"

namespace quelmora::testing {
namespace {

using TAnswer = IUserDialogs::TAnswer;

std::string Title(const std::string& name) {
  return name + " — " + ProgramName;
}

class MainFormFilesTest : public MainFormTest {
 protected:
  std::string WindowTitle() { return Window().windowTitle().toStdString(); }
  void Modify(const char* gap = "5") { Control<QLineEdit>("FQuick2")->setText(gap); }
  std::vector<std::string> RecentMenuTexts() {
    std::vector<std::string> texts;
    for (QAction* action : Window().findChild<QMenu*>("RecentMenu")->actions())
      texts.push_back(action->data().toString().toStdString());
    return texts;
  }
  // Drops local files on the window as a file manager would.
  bool Drop(const std::vector<std::string>& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& file : files)
      urls.push_back(QUrl::fromLocalFile(QString::fromStdString(file)));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Window(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Window(), &drop);
    return drop.isAccepted();
  }
};

TEST_F(MainFormFilesTest, TitleNamesTheProjectAndMarksUnsavedChanges) {
  EXPECT_EQ(WindowTitle(), Title("Пример"));
  Modify();
  EXPECT_EQ(WindowTitle(), Title("Пример*"));
  const std::string file = temp_.File("tea.vld");
  dialogs_.SaveChoices.push_back({QString::fromStdString(file), 0});
  Window().RunCommand(cmdSaveAs);
  EXPECT_EQ(WindowTitle(), Title("tea.vld"));
  Modify("6");
  EXPECT_EQ(WindowTitle(), Title("tea.vld*"));
  Window().RunCommand(cmdSave);
  EXPECT_EQ(WindowTitle(), Title("tea.vld"));
  Window().RunCommand(cmdNew);
  EXPECT_EQ(WindowTitle(), Title("Пример"));
}

TEST_F(MainFormFilesTest, MenuSaveWritesTheProjectsFileWhileTheButtonAsksEveryTime) {
  OpenProject(LoadLumarProject(), "own.vld");
  Modify("7");
  Window().RunCommand(cmdSave);
  EXPECT_TRUE(dialogs_.SuffixesSeen.empty()) << "no dialog for a project with a file";
  EXPECT_EQ(LoadProject(temp_.File("own.vld")).Settings.LengthGapMM, 7);
  EXPECT_FALSE(Window().Modified());
  EXPECT_EQ(Status(), SFileSaved);

  // Save As and the written button start at the project's own file.
  for (int asked = 1; asked <= 2; ++asked) {
    if (asked == 1)
      Window().RunCommand(cmdSaveAs);
    else
      Click(cmdSave);
    ASSERT_EQ(dialogs_.InitialNamesSeen.size(), static_cast<size_t>(asked));
    EXPECT_EQ(dialogs_.InitialNamesSeen.back().toStdString(), temp_.File("own.vld"));
  }
}

TEST_F(MainFormFilesTest, TheUnsavedChangesQuestionNamesTheFile) {
  Modify();
  dialogs_.YesNoCancel.push_back(TAnswer::Cancel);
  Window().RunCommand(cmdNew);
  OpenProject(LoadLumarProject(), "named.vld");
  Modify("8");
  ShowWindow();
  dialogs_.YesNoCancel.push_back(TAnswer::Cancel);
  EXPECT_FALSE(Window().close());
  ASSERT_EQ(dialogs_.Questions.size(), 3u);  // the fixture's Open asked too
  EXPECT_EQ(dialogs_.Questions[0], "Сохранить изменения в «Пример»?");
  EXPECT_EQ(dialogs_.Questions[2], "Сохранить изменения в «named.vld»?");

  // Yes saves to that file without a dialog.
  dialogs_.YesNoCancel.push_back(TAnswer::Yes);
  Window().RunCommand(cmdNew);
  EXPECT_TRUE(dialogs_.SuffixesSeen.empty());
  EXPECT_EQ(LoadProject(temp_.File("named.vld")).Settings.LengthGapMM, 8);
  EXPECT_EQ(Window().Project(), LoadLumarProject());
}

TEST_F(MainFormFilesTest, RecentFilesListTheLastProjectsAndSurviveTheWindow) {
  OpenProject(LoadLumarProject(), "a.vld");
  dialogs_.SaveChoices.push_back({QString::fromStdString(temp_.File("b.vld")), 0});
  Window().RunCommand(cmdSaveAs);
  OpenProject(LoadLumarProject(), "a.vld");
  const std::vector<std::string> expected = {temp_.File("a.vld"), temp_.File("b.vld")};
  EXPECT_EQ(RecentMenuTexts(), expected);
  EXPECT_EQ(LoadRecentFiles(), expected);
  EXPECT_FALSE(Window().MenuAction(cmdSave) == nullptr);

  DestroyWindow();
  EXPECT_EQ(RecentMenuTexts(), expected) << "a new window reads them back";
  // Choosing one opens it.
  Window().findChild<QMenu*>("RecentMenu")->actions()[1]->trigger();
  EXPECT_EQ(WindowTitle(), Title("b.vld"));
  EXPECT_EQ(LoadRecentFiles().front(), temp_.File("b.vld"));
}

TEST_F(MainFormFilesTest, AMissingRecentFileIsReportedAndRemoved) {
  const std::string gone = temp_.File("gone.vld");
  SaveLanguageChoice("Russian.lng");
  SaveRecentFiles({gone, temp_.File("other.vld")});
  const std::string before = ReadBytes(SettingsFileName());
  Window().findChild<QMenu*>("RecentMenu")->actions()[0]->trigger();
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  EXPECT_NE(dialogs_.Errors[0].find(gone), std::string::npos) << dialogs_.Errors[0];
  EXPECT_EQ(RecentMenuTexts(), std::vector<std::string>{temp_.File("other.vld")});
  EXPECT_EQ(LoadRecentFiles(), std::vector<std::string>{temp_.File("other.vld")});
  EXPECT_EQ(SavedLanguageChoice(), "Russian.lng");
  EXPECT_EQ(WindowTitle(), Title("Пример"));
  EXPECT_TRUE(dialogs_.Questions.empty());
}

struct TExportCase {
  const char* Name;
  int FilterIndex;
  TExportKind Expected;
};

class ExportKindTest : public ::testing::TestWithParam<TExportCase> {};

TEST_P(ExportKindTest, ATypedExtensionDecidesThenTheSelectedType) {
  EXPECT_EQ(ExportKindFor(QString::fromUtf8(GetParam().Name), GetParam().FilterIndex),
            GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(NamesAndFilters, ExportKindTest,
                         ::testing::Values(TExportCase{"r.csv", 0, TExportKind::Csv},
                                           TExportCase{"r.csv", 1, TExportKind::Csv},
                                           TExportCase{"r.json", 0, TExportKind::Json},
                                           TExportCase{"r.JSON", 1, TExportKind::Json},
                                           TExportCase{"r.Csv", 1, TExportKind::Csv},
                                           TExportCase{"r", 0, TExportKind::Csv},
                                           TExportCase{"r", 1, TExportKind::Json},
                                           TExportCase{"r.txt", 1, TExportKind::Json},
                                           TExportCase{"json", 0, TExportKind::Csv}));

TEST_F(MainFormFilesTest, ExportWritesTheTypeOfTheTypedExtension) {
  RunAndWait();
  const std::string json = temp_.File("typed.json");
  dialogs_.SaveChoices.push_back({QString::fromStdString(json), 0});
  Click(cmdExport);
  EXPECT_EQ(ReadUtf8TextFile(json).rfind("{", 0), 0u);
  const std::string csv = temp_.File("typed.csv");
  dialogs_.SaveChoices.push_back({QString::fromStdString(csv), 1});
  Click(cmdExport);
  EXPECT_EQ(ReadUtf8TextFile(csv).rfind("Product;", 0), 0u);
}

TEST_F(MainFormFilesTest, DroppedProjectOpensAfterTheQuestionAndCsvImports) {
  const std::string project = temp_.File("dropped.VLD");
  TProjectData small = LoadLumarProject();
  small.Products.resize(2);
  SaveProject(project, small);
  Modify();
  dialogs_.YesNoCancel.push_back(TAnswer::Cancel);
  EXPECT_TRUE(Drop({project}));
  EXPECT_EQ(dialogs_.Questions.size(), 1u);
  EXPECT_TRUE(Window().Modified()) << "Cancel keeps the project";
  dialogs_.YesNoCancel.push_back(TAnswer::No);
  EXPECT_TRUE(Drop({temp_.File("notes.txt"), project}));
  EXPECT_EQ(Window().Project(), small);
  EXPECT_EQ(WindowTitle(), Title("dropped.VLD"));

  const std::string csv = temp_.File("more.csv");
  WriteBytes(csv, ReadBytes(std::string(QUELMORA_SOURCE_DIR) + "/examples/products.csv"));
  EXPECT_TRUE(Drop({csv}));
  EXPECT_GT(Window().Project().Products.size(), 2u);
  EXPECT_TRUE(Window().Modified());
  EXPECT_TRUE(dialogs_.Errors.empty()) << dialogs_.Errors[0];

  EXPECT_FALSE(Drop({temp_.File("picture.png")}));
}

TEST_F(MainFormFilesTest, TheFileNamedAtStartOpens) {
  const std::string file = temp_.File("start.vld");
  TProjectData small = LoadLumarProject();
  small.Products.resize(3);
  SaveProject(file, small);
  EXPECT_TRUE(OpenFileAtStart(Window(), {"quelmora"}));
  EXPECT_EQ(Window().Project(), LoadLumarProject());
  EXPECT_TRUE(OpenFileAtStart(Window(), {"quelmora", QString::fromStdString(file)}));
  EXPECT_EQ(Window().Project(), small);
  EXPECT_EQ(WindowTitle(), Title("start.vld"));
  EXPECT_FALSE(Window().windowIcon().isNull());
}

TEST_F(MainFormFilesTest, ABrokenFileAtStartIsShownAndTheSampleStays) {
  const std::string broken = temp_.File("broken.vld");
  WriteBytes(broken, "not a project");
  EXPECT_FALSE(OpenFileAtStart(Window(), {"quelmora", QString::fromStdString(broken)}));
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  EXPECT_EQ(Window().Project(), LoadLumarProject());
  EXPECT_EQ(WindowTitle(), Title("Пример"));
}

TEST(StartFileArgument, TheFirstArgumentThatIsNoOption) {
  const struct {
    QStringList Arguments;
    const char* Expected;
  } cases[] = {
      {{"quelmora"}, ""},
      {{"quelmora", "a.vld"}, "a.vld"},
      {{"quelmora", "-style", "b.vld"}, "b.vld"},
      {{"quelmora", "--", "-odd.vld"}, "-odd.vld"},
      {{"quelmora", "file:///tmp/c.vld"}, "/tmp/c.vld"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StartFileArgument(c.Arguments).toStdString(), c.Expected) << c.Expected;
}

TEST(LastFolders, EachKindOfDialogStartsWhereItLastChoseAFile) {
  const QStringList projects = {"quelmora (*.vld)"};
  const QStringList csv = {"CSV UTF-8 (*.csv)"};
  TLastFolders folders;
  EXPECT_EQ(folders.StartPath(projects, "").toStdString(), "");
  EXPECT_EQ(folders.StartPath(projects, "r.pdf").toStdString(), "r.pdf");
  folders.Remember(projects, "/data/p/one.vld");
  folders.Remember(csv, "/data/c/list.csv");
  folders.Remember(csv, "");
  EXPECT_EQ(folders.StartPath(projects, "").toStdString(), "/data/p");
  EXPECT_EQ(folders.StartPath(projects, "two.vld").toStdString(), "/data/p/two.vld");
  EXPECT_EQ(folders.StartPath(csv, "").toStdString(), "/data/c");
  EXPECT_EQ(folders.StartPath(projects, "/else/x.vld").toStdString(), "/else/x.vld");
}

}  // namespace
}  // namespace quelmora::testing
