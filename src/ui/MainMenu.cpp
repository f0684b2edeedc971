#include "ui/MainMenu.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "model/AppStrings.h"
#include "ui/MainCommands.h"
#include "ui/Mnemonics.h"
#include "ui/UiText.h"

namespace quelmora {

namespace {

constexpr const char* SourceProperty = "sourceText";
constexpr const char* EllipsisProperty = "withEllipsis";
constexpr const char* CodeProperty = "commandCode";

// The platform's keys for a standard action; Fallback where it has none (the
// Windows-like scheme lacks Quit and Save As).
QList<QKeySequence> Keys(QKeySequence::StandardKey Standard, const QKeySequence& Fallback) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(Standard);
  if (keys.isEmpty()) keys.push_back(Fallback);
  return keys;
}

QString Caption(const QAction* Action) {
  QString text = Translated(Action->property(SourceProperty).toByteArray().toStdString());
  if (Action->property(EllipsisProperty).toBool()) text += QStringLiteral("…");
  return text;
}

void ApplyMenuTexts(QMenu* Menu) {
  QString used;
  for (QAction* action : Menu->actions())
    if (!action->property(SourceProperty).isNull())
      action->setText(WithMnemonic(Caption(action), used));
}

}  // namespace

TMainMenu::TMainMenu(QWidget* Window, std::function<void(int Code)> Run,
                     std::function<void(const QString& FileName)> OpenRecent)
    : QMenuBar(Window), FWindow(Window), FRun(std::move(Run)), FOpenRecent(std::move(OpenRecent)) {
  setObjectName(QStringLiteral("MainMenu"));
  QMenu* file = AddMenu(SMenuFile);
  AddItem(file, cmdNew, SNewProject, false, Keys(QKeySequence::New, Qt::CTRL | Qt::Key_N));
  AddItem(file, cmdOpen, SOpen, true, Keys(QKeySequence::Open, Qt::CTRL | Qt::Key_O));
  FRecent = file->addMenu(QString());
  FRecent->setObjectName(QStringLiteral("RecentMenu"));
  FRecent->menuAction()->setProperty(SourceProperty, QByteArray(SOpenRecent));
  file->addSeparator();
  AddItem(file, cmdSave, SSave, false, Keys(QKeySequence::Save, Qt::CTRL | Qt::Key_S));
  AddItem(file, cmdSaveAs, SSaveAs, true,
          Keys(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  file->addSeparator();
  AddItem(file, cmdImport, SImportProducts, true);
  AddItem(file, cmdExport, SExport, true);
  AddItem(file, cmdReport, SReport, true);
  file->addSeparator();
  AddItem(file, cmdQuit, SQuit, false, Keys(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));

  QMenu* edit = AddMenu(SMenuEdit);
  AddItem(edit, cmdUndo, SUndo, false, Keys(QKeySequence::Undo, Qt::CTRL | Qt::Key_Z));
  AddItem(edit, cmdRedo, SRedo, false, Keys(QKeySequence::Redo, Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  edit->addSeparator();
  AddItem(edit, cmdAdd, SAdd, true);
  AddItem(edit, cmdEdit, SEdit, true);
  AddItem(edit, cmdDelete, SDelete, false);

  QMenu* run = AddMenu(SMenuRun);
  AddItem(run, cmdRun, SCalculate, false, {QKeySequence(Qt::Key_F9)});
  // Enabled only while a run goes, so Esc stays with editors and dialogs otherwise.
  AddItem(run, cmdCancel, SCancel, false, {QKeySequence(Qt::Key_Escape)});

  QMenu* help = AddMenu(SMenuHelp);
  AddItem(help, cmdAbout, SAbout, true);
  SetRecentFiles({});
}

QMenu* TMainMenu::AddMenu(const char* Title) {
  QMenu* menu = addMenu(QString());
  menu->menuAction()->setProperty(SourceProperty, QByteArray(Title));
  return menu;
}

QAction* TMainMenu::AddItem(QMenu* Menu, int Code, const char* Caption, bool Ellipsis,
                            const QList<QKeySequence>& Keys) {
  QAction* action = Menu->addAction(QString());
  action->setProperty(SourceProperty, QByteArray(Caption));
  action->setProperty(EllipsisProperty, Ellipsis);
  action->setProperty(CodeProperty, Code);
  action->setObjectName(QStringLiteral("Action%1").arg(Code));
  action->setShortcuts(Keys);
  // On the window itself the keys work whether or not a menu was ever opened.
  if (!Keys.isEmpty()) FWindow->addAction(action);
  connect(action, &QAction::triggered, this, [this, Code] { FRun(Code); });
  return action;
}

void TMainMenu::ApplyTexts(QString& Used) {
  for (QAction* title : actions()) {
    title->setText(WithMnemonic(Caption(title), Used));
    if (QMenu* menu = title->menu()) ApplyMenuTexts(menu);
  }
  SetRecentFiles(FRecentFiles);
}

void TMainMenu::SetRecentFiles(const std::vector<std::string>& Files) {
  FRecentFiles = Files;
  FRecent->clear();
  int number = 1;
  for (const std::string& file : Files) {
    const QString path = QString::fromStdString(file);
    // Numbered, so each entry has its key whatever the names are.
    QAction* action = FRecent->addAction(QStringLiteral("&%1 %2").arg(number++).arg(
        QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"))));
    action->setToolTip(path);
    action->setData(path);
    connect(action, &QAction::triggered, this, [this, path] { FOpenRecent(path); });
  }
  FRecent->menuAction()->setEnabled(!Files.empty());
}

void TMainMenu::SetState(const TMenuState& State) {
  const bool idle = !State.Busy;
  for (QAction* title : actions()) {
    QMenu* menu = title->menu();
    if (!menu) continue;
    for (QAction* action : menu->actions()) {
      if (action->property(CodeProperty).isNull()) continue;
      const int code = action->property(CodeProperty).toInt();
      bool enabled = idle;
      if (code == cmdCancel) enabled = State.Busy;
      if (code == cmdExport || code == cmdReport) enabled = idle && State.HasResult;
      if (code == cmdUndo) enabled = idle && State.CanUndo;
      if (code == cmdRedo) enabled = idle && State.CanRedo;
      if (code == cmdAbout || code == cmdQuit) enabled = true;
      action->setEnabled(enabled);
    }
  }
  FRecent->menuAction()->setEnabled(idle && !FRecentFiles.empty());
}

QAction* TMainMenu::Action(int Code) const {
  for (QAction* title : actions())
    if (QMenu* menu = title->menu())
      for (QAction* action : menu->actions())
        if (action->property(CodeProperty) == Code) return action;
  return nullptr;
}

}  // namespace quelmora
