#include "ui/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>
#include <utility>

#include "l10n/QtTranslations.h"
#include "l10n/RecentFiles.h"
#include "l10n/TranslateControl.h"
#include "model/AppStrings.h"
#include "model/ProductFields.h"
#include "model/TextFormat.h"
#include "ui/EditTakeOver.h"
#include "ui/MainMenu.h"
#include "ui/ParametersPanel.h"
#include "ui/ProductEditForm.h"
#include "ui/ProductGrid.h"
#include "ui/ProductGridWidget.h"
#include "ui/ProductTableModel.h"
#include "ui/ResultViews.h"
#include "ui/ResultsPanel.h"
#include "ui/SettingsForm.h"
#include "ui/SplashForm.h"
#include "ui/StatusBand.h"
#include "ui/UiText.h"
#include "ui/UserDialogs.h"
#include "ui/WindowFiles.h"
#include "ui/WindowHeader.h"
#include "ui/WindowLayout.h"
#include "ui/WindowTexts.h"

namespace quelmora {

namespace {

const QColor WindowBackground(0xF0, 0xF3, 0xF6);
constexpr const char* FontName = "Segoe UI";
// Beyond this width the grid's columns widen.
constexpr int DefaultWidth = 1340;
// The grid's and the parameters' and results' heights at the default
// window size: what is left of 920 beside the header, status and actions.
constexpr int InputPanelHeight = 246;
constexpr int LowerBandsHeight = 920 - 54 - InputPanelHeight - SplitterHandlePx - 48 - 50;

const QStringList ProjectFilter = {QStringLiteral("quelmora (*.vld)")};
const QStringList CsvFilter = {QStringLiteral("CSV UTF-8 (*.csv)")};
const QStringList ExportFilters = {QStringLiteral("CSV UTF-8 (*.csv)"),
                                   QStringLiteral("JSON (*.json)")};
const QStringList PdfFilter = {QStringLiteral("PDF (*.pdf)")};

std::string S(const QString& text) {
  return text.toStdString();
}

}  // namespace

TMainFormEditors DefaultMainFormEditors() {
  return {&TProductEditForm::Edit, &TSettingsForm::Edit};
}

TMainForm::TMainForm(IUserDialogs& Dialogs, QWidget* Owner)
    : TMainForm(Dialogs, DefaultMainFormEditors(), Owner) {}

TMainForm::TMainForm(IUserDialogs& Dialogs, TMainFormEditors Editors, QWidget* Owner)
    : QWidget(Owner), FDialogs(Dialogs), FEditors(std::move(Editors)) {
  InitLanguage();
  // Qt appends the display name to a title that does not end with it; the
  // title ends with the name, so nothing piles up on a change of language.
  QApplication::setApplicationDisplayName(QString::fromUtf8(ProgramName));
  setWindowTitle(QString::fromUtf8(ProgramName));
  setMinimumSize(1080, 700);
  setFont(QFont(FontName, 10));
  FillWith(this, WindowBackground);
  FWorkspace.NewFromSample();
  BuildWindow();
  ShowProject();
  FHeader->FillLanguages();
  ApplyTexts();
  // The menu bar comes on top of the designed 1340 x 920, so every band keeps its size.
  resize(1340, 920 + FMenu->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  FResults->FitColumns(width());
  FExport->setEnabled(false);
  FReport->setEnabled(false);
  setWindowIcon(ProgramIcon());
  setAcceptDrops(true);
  StateChanged();
}

// The workspace cancels a running calculation and waits for it.
TMainForm::~TMainForm() = default;

QPushButton* TMainForm::AddButton(QWidget* Parent, const char* Caption, int Left, int Width,
                                  int Code) {
  return AddCommandButton(Parent, Caption, Left, Width, Code,
                          [this](int code) { RunCommand(code); });
}

void TMainForm::BuildWindow() {
  QVBoxLayout* bands = Column(this);
  FMenu = new TMainMenu(
      this, [this](int code) { RunCommand(code); },
      [this](const QString& fileName) { OpenRecentFile(fileName); });
  FMenu->SetRecentFiles(LoadRecentFiles());
  bands->setMenuBar(FMenu);
  FHeader = new TWindowHeader(this);
  connect(FHeader, &TWindowHeader::LanguageChosen, this,
          [this](const QString& fileName) { LanguageChange(S(fileName)); });
  bands->addWidget(FHeader);
  // The grid over the parameters and results; a larger window shares its
  // height between them in their designed proportion.
  QWidget* lower = new QWidget(this);
  QVBoxLayout* lowerBands = Column(lower);
  FParameters = new TParametersPanel(this, [this](int code) { RunCommand(code); });
  connect(FParameters, &TParametersPanel::Changed, this, [this] { MarkModified(); });
  connect(FParameters, &TParametersPanel::EditFinished, this, [this] {
    TakeOverStep([this](TProjectData& p) { return TakeOverParameters(*FParameters, p); });
  });
  lowerBands->addWidget(FParameters);
  FResults = new TResultsPanel(this);
  lowerBands->addWidget(AddScrolled(lower, FResults), 1);
  bands->addWidget(AddSplitter(this, Qt::Vertical, {BuildInputPanel(), lower},
                               {InputPanelHeight, LowerBandsHeight}),
                   1);
  FStatusBand = new TStatusBand(this, [this](int code) { RunCommand(code); });
  bands->addWidget(FStatusBand);
  bands->addWidget(BuildActions());
  FTimer = new QTimer(this);
  FTimer->setInterval(150);
  connect(FTimer, &QTimer::timeout, this, [this] { TimerTick(); });
}

// The product grid over its toolbar.
QWidget* TMainForm::BuildInputPanel() {
  FInputPanel = AddPanel(this);
  FInputPanel->setObjectName(QStringLiteral("FInputPanel"));
  QVBoxLayout* input = Column(FInputPanel);
  FProducts = new TProductTableModel(this);
  connect(FProducts, &TProductTableModel::CellEdited, this, [this](int row) {
    MarkModified();
    TakeOverStep([&](TProjectData& p) { return TakeOverGridRow(*FProducts, row, p); });
  });
  FGrid = new TProductGridWidget(FProducts, FInputPanel);
  FGrid->setObjectName(QStringLiteral("FGrid"));
  connect(FGrid, &TProductGridWidget::GridDoubleClicked, this, [this] { GridDblClick(); });
  input->addWidget(FGrid, 1);
  QWidget* toolbar = AddPanel(FInputPanel);
  toolbar->setFixedHeight(50);
  FFlowRows.Add(
      {AddButton(toolbar, SImportProducts, 10, 145, cmdImport),
       AddButton(toolbar, SAdd, 163, 100, cmdAdd), AddButton(toolbar, SEdit, 271, 100, cmdEdit),
       AddButton(toolbar, SDelete, 379, 100, cmdDelete)},
      8);
  input->addWidget(toolbar);
  return FInputPanel;
}

// The action bar, the lowest band.
QWidget* TMainForm::BuildActions() {
  FActions = AddPanel(this);
  FActions->setObjectName(QStringLiteral("FActions"));
  FActions->setFixedHeight(50);
  QPushButton* run = AddButton(FActions, SCalculate, 12, 120, cmdRun);
  // The button asks for a file every time, as it always did; File > Save
  // (Ctrl+S) is the one that writes to the project's own file.
  QPushButton* save =
      AddCommandButton(FActions, SSave, 144, 110, cmdSave, [this](int) { RunCommand(cmdSaveAs); });
  QPushButton* open = AddButton(FActions, SOpen, 266, 110, cmdOpen);
  FExport = AddButton(FActions, SExport, 388, 110, cmdExport);
  FReport = AddButton(FActions, SReport, 510, 110, cmdReport);
  QPushButton* close = AddButton(FActions, SClose, 632, 110, cmdClose);
  FFlowRows.Add({run, save, open, FExport, FReport, close}, 12);
  return FActions;
}

QPushButton* TMainForm::CommandButton(int Code) const {
  return FindCommandButton(this, Code);
}

// ---------------------------------------------------------------- language

void TMainForm::LanguageChange(const std::string& FileName) {
  Guarded([&] {
    if (!LoadLanguage(FileName)) return;
    ApplyQtTranslations(FileName);
    // The texts follow the language even when the choice cannot be remembered.
    ApplyTexts();
    SaveLanguageChoice(FileName);
  });
}

void TMainForm::ApplyTexts() {
  TranslateControlTree(this);
  ApplyMnemonics();
  StateChanged();
  FProducts->RefreshHeaders();
  FGrid->FitHeaderTexts();
  FParameters->ApplyTexts();
  FStatusBand->ApplyTexts();
  FHeader->FitTitle();
  FResults->FitCaptions();
  FFlowRows.Flow();
  if (!Result().Solutions.empty()) ShowResults();
}

void TMainForm::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  if (FResults) FResults->FitColumns(width());
  if (FGrid) FGrid->StretchColumns(width() - DefaultWidth);
}

// ---------------------------------------------------------------- commands

bool TMainForm::Guarded(const std::function<void()>& Action) {
  return RunOrShowError(FDialogs, this, Action);
}

// Every button and menu comes here: the one table of what a command does.
void TMainForm::RunCommand(int Code) {
  const std::pair<int, std::function<void()>> commands[] = {
      {cmdImport, [this] { ImportProducts(); }},
      {cmdAdd, [this] { AddProduct(); }},
      {cmdEdit, [this] { EditProduct(); }},
      {cmdDelete, [this] { DeleteProduct(); }},
      {cmdAllParameters, [this] { EditAllParameters(); }},
      {cmdRun, [this] { StartCalculation(); }},
      {cmdSave, [this] { SaveProject(); }},
      {cmdSaveAs, [this] { SaveProjectAs(); }},
      {cmdNew, [this] { NewProject(); }},
      {cmdQuit, [this] { close(); }},
      {cmdAbout, [this] { ShowAbout(); }},
      {cmdOpen, [this] { OpenProject(); }},
      {cmdExport, [this] { ExportResults(); }},
      {cmdReport, [this] { WriteReport(); }},
      {cmdClose, [this] { close(); }},
      {cmdCancel, [this] { FWorkspace.Cancel(); }},
      {cmdUndo, [this] { StepHistory(true); }},
      {cmdRedo, [this] { StepHistory(false); }},
  };
  // A value still in the grid's editor belongs to the project the command sees.
  FGrid->CommitPendingEdit();
  Guarded([&] {
    for (const auto& [code, command] : commands)
      if (code == Code) command();
  });
}

void TMainForm::ImportProducts() {
  CollectProject();
  const QString fileName = FDialogs.OpenFileName(this, CsvFilter);
  if (fileName.isEmpty()) return;
  ImportFile(fileName);
}

void TMainForm::ImportFile(const QString& FileName) {
  const int before = static_cast<int>(Project().Products.size());
  FWorkspace.ImportCsv(S(FileName));
  ShowProject();
  RecordStep();
  const int added = static_cast<int>(Project().Products.size()) - before;
  if (added > 0) FGrid->ShowRow(before + 1);
  SetStatus([added] { return ProductsAddedText(added); });
}

void TMainForm::AddProduct() {
  CollectProject();
  TProduct product = DefaultProduct(NextProductId());
  product.Name = Tr(SNewProduct);
  if (!FEditors.EditProduct(this, product, FDialogs)) return;
  ChangeProducts([&](std::vector<TProduct>& products) { products.push_back(product); });
  ShowProject();
  RecordStep();
}

void TMainForm::EditProduct() {
  const int r = FGrid->CurrentGridRow() - 1;
  if (r < 0 || r >= static_cast<int>(Project().Products.size())) return;
  // The edited row goes through the dialog, which judges it; the others are
  // taken over as they stand.
  CollectProject(r);
  TProduct product;
  FProducts->ReadRow(r, product, false);
  if (!FEditors.EditProduct(this, product, FDialogs)) return;
  ChangeProducts([&](std::vector<TProduct>& products) { products[r] = product; });
  ShowProject();
  FGrid->SetCurrentCell(FGrid->CurrentGridColumn(), r + 1);
  RecordStep();
}

void TMainForm::DeleteProduct() {
  const int r = FGrid->CurrentGridRow() - 1;
  if (r < 0 || r >= static_cast<int>(Project().Products.size())) return;
  // The remaining rows and the quick fields are redrawn afterwards, so what
  // the user typed there is taken over first.
  CollectProject(r);
  const std::string name(Trim(FProducts->RowTexts(r)[ProductNameFieldIndex]));
  if (FDialogs.AskYesNo(this, Utf8(DeleteQuestion(name))) != IUserDialogs::TAnswer::Yes) return;
  ChangeProducts([&](std::vector<TProduct>& products) { products.erase(products.begin() + r); });
  ShowProject();
  RecordStep();
}

void TMainForm::EditAllParameters() {
  CollectProject();
  TProjectData project = Project();
  if (!FEditors.EditSettings(this, project.Settings, FDialogs)) return;
  FWorkspace.SetProject(std::move(project));
  ShowProject();
  RecordStep();
}

void TMainForm::StartCalculation() {
  CollectProject();
  std::optional<TRunInput> input =
      FWorkspace.PrepareRun(VolumeMismatchQuestion(FDialogs, this, UserNumbers()));
  if (!input) return;
  ClearResults();
  FStatusBand->SetProgress(0);
  FWorkspace.Start(std::move(*input));
  SetBusy(true);
}

void TMainForm::OpenProject() {
  if (!ConfirmSaveChanges()) return;
  const QString fileName = FDialogs.OpenFileName(this, ProjectFilter);
  if (fileName.isEmpty()) return;
  OpenFile(fileName);
}

void TMainForm::ExportResults() {
  if (Result().Solutions.empty()) return;
  const IUserDialogs::TSaveChoice choice =
      FDialogs.SaveFileName(this, ExportFilters, QStringLiteral("csv"), QString());
  if (choice.FileName.isEmpty()) return;
  FWorkspace.Export(S(choice.FileName), ExportKindFor(choice.FileName, choice.FilterIndex));
  SetStatus(SFileSaved);
}

void TMainForm::WriteReport() {
  if (Result().Solutions.empty()) return;
  const IUserDialogs::TSaveChoice choice = FDialogs.SaveFileName(
      this, PdfFilter, QStringLiteral("pdf"), QStringLiteral("quelmora-report.pdf"));
  if (choice.FileName.isEmpty()) return;
  FWorkspace.WriteReport(S(choice.FileName));
  SetStatus(SPdfReportSaved);
}

void TMainForm::SetBusy(bool Busy) {
  FInputPanel->setEnabled(!Busy);
  FParameters->setEnabled(!Busy);
  FActions->setEnabled(!Busy);
  FStatusBand->SetRunning(Busy);
  if (Busy)
    FTimer->start();
  else
    FTimer->stop();
  StateChanged();
}

void TMainForm::TimerTick() {
  if (!FWorkspace.Running()) return;
  const bool done = FWorkspace.Poll([this](int32_t percent, const std::string& stage) {
    FStatusBand->SetProgress(percent);
    SetStatus([stage, count = FWorkspace.ProductCount()] { return RunProgressText(stage, count); });
  });
  if (!done) return;
  const TRunEnd end = FWorkspace.Finish();
  SetBusy(false);
  if (end.Failure)
    FDialogs.ShowError(this, RunFailureText(*end.Failure));
  else if (!end.Error.empty())
    FDialogs.ShowError(this, Utf8(end.Error));
  else if (end.Output.Cancelled)
    SetStatus(SCalculationCancelled);
  else
    Guarded([&] { ShowResults(); });
  if (FCloseAfterCancel) {
    FCloseAfterCancel = false;
    close();
  }
}

bool TMainForm::SaveProjectAs() {
  CollectProject();
  const IUserDialogs::TSaveChoice choice = FDialogs.SaveFileName(
      this, ProjectFilter, QStringLiteral("vld"), QString::fromStdString(FWorkspace.FileName()));
  if (choice.FileName.isEmpty()) return false;
  FWorkspace.SaveAs(S(choice.FileName));
  SetStatus(SFileSaved);
  RememberRecentFile(FWorkspace.FileName());
  StateChanged();
  return true;
}

bool TMainForm::ConfirmSaveChanges() {
  if (!Modified()) return true;
  const std::string name = S(ProjectDisplayName(FWorkspace.FileName()));
  switch (FDialogs.AskYesNoCancel(this, Utf8(FormatArgs(Tr(SSaveChangesTo), {name})))) {
    case IUserDialogs::TAnswer::Yes:
      return SaveProject();
    case IUserDialogs::TAnswer::No:
      return true;
    default:
      return false;
  }
}

bool TMainForm::FormCloseQuery() {
  if (FWorkspace.Running()) {
    FCloseAfterCancel = true;
    FWorkspace.Cancel();
    SetStatus(SCancellingBeforeClose);
    return false;
  }
  FGrid->CommitPendingEdit();
  bool mayClose = false;
  Guarded([&] { mayClose = ConfirmSaveChanges(); });
  return mayClose;
}

void TMainForm::closeEvent(QCloseEvent* Event) {
  if (FormCloseQuery())
    Event->accept();
  else
    Event->ignore();
}

// ---------------------------------------------------------------- project

void TMainForm::ShowResults() {
  const bool any = FResults->Show(Project(), Result());
  FExport->setEnabled(any);
  FReport->setEnabled(any);
  if (any)
    SetStatus([this, products = Result().Solutions.size(), boxes = FResults->BoxCount()] {
      return CompletionStatus(UserNumbers(), products, boxes);
    });
  else
    SetStatus(SNoFeasibleSolutions);
  StateChanged();
}

void TMainForm::ShowProject() {
  // Showing the project changes nothing in it.
  const QSignalBlocker quiet(FParameters);
  FProducts->ShowProducts(Project().Products, GridDecimalSeparator());
  FParameters->ShowSettings(Project().Settings, Project().OptimizationCriterion);
}

bool TMainForm::ReadGridRow(int Row, TProduct& Product, bool Strict) const {
  return FProducts->ReadRow(Row - 1, Product, Strict);
}

bool TMainForm::IsCellValid(int Column, int Row) const {
  return FProducts->IsCellValid(Row - 1, Column);
}

int TMainForm::NextProductId() const {
  return FWorkspace.NextProductId();
}

void TMainForm::GridDblClick() {
  if (FGrid->CurrentGridColumn() != GridEnabledColumn) {
    RunCommand(cmdEdit);
    return;
  }
  const int row = FGrid->CurrentGridRow();
  const QString flag = FGrid->Cell(GridEnabledColumn, row);
  FGrid->SetCell(GridEnabledColumn, row,
                 flag == QStringLiteral("1") ? QStringLiteral("0") : QStringLiteral("1"));
}

void TMainForm::CollectProject(int SkipRow) {
  TProjectData project = Project();
  FParameters->Collect(project.Settings, project.OptimizationCriterion);
  project.Products = FProducts->TakeOver(SkipRow, [this](int row, int column) {
    FGrid->SetCurrentCell(column, row + 1);  // where the user has to look
    FGrid->setFocus();
  });
  FProducts->KeepProducts(project.Products);
  FWorkspace.SetProject(std::move(project));
  // What was typed is a step of its own, before the command's change.
  FWorkspace.RecordChange();
}

void TMainForm::ChangeProducts(const std::function<void(std::vector<TProduct>&)>& Change) {
  TProjectData project = Project();
  Change(project.Products);
  FWorkspace.SetProject(std::move(project));
}

void TMainForm::MarkModified() {
  FWorkspace.MarkModified();
  ClearResults();
}

void TMainForm::RecordStep() {
  FWorkspace.RecordChange();
  ClearResults();
}

void TMainForm::TakeOverStep(const std::function<bool(TProjectData&)>& TakeOver) {
  TProjectData project = Project();
  if (!TakeOver(project)) return;
  FProducts->KeepProducts(project.Products);
  FWorkspace.SetProject(std::move(project));
  FWorkspace.RecordChange();
  StateChanged();
}

// Typing not yet recorded is taken over first, so that going back undoes it.
// A running calculation keeps its project.
void TMainForm::StepHistory(bool Back) {
  if (Busy()) return;
  TakeOverStep([this](TProjectData& p) { return TakeOverQuietly(*FProducts, *FParameters, p); });
  if (!(Back ? FWorkspace.CanUndo() : FWorkspace.CanRedo())) return;
  if (Back)
    FWorkspace.Undo();
  else
    FWorkspace.Redo();
  ShowProject();
  ClearResults();
}

void TMainForm::ClearResults() {
  FWorkspace.ClearResult();
  FResults->Clear();
  FExport->setEnabled(false);
  FReport->setEnabled(false);
  SetStatus(SDataChanged);
  StateChanged();
}

void TMainForm::SetStatus(const char* Key) {
  FStatusBand->SetStatus([Key] { return Tr(Key); });
}

void TMainForm::SetStatus(std::function<std::string()> Render) {
  FStatusBand->SetStatus(std::move(Render));
}

}  // namespace quelmora
