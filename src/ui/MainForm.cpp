#include "ui/MainForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <utility>

#include "calc/PalletStrength.h"
#include "engine/VolumeMismatch.h"
#include "io/CsvProductImporter.h"
#include "io/CsvResultExporter.h"
#include "io/LumarData.h"
#include "io/ProjectSerializer.h"
#include "l10n/LocalFormat.h"
#include "l10n/TranslateControl.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/SettingsFields.h"
#include "model/TextFormat.h"
#include "model/Validation.h"
#include "report/PackagingPreview.h"
#include "report/PdfReportExporter.h"
#include "ui/PalletView.h"
#include "ui/PreviewArea.h"
#include "ui/ProductEditForm.h"
#include "ui/ProductGrid.h"
#include "ui/ProductGridWidget.h"
#include "ui/ResultViews.h"
#include "ui/SettingsForm.h"
#include "ui/UiText.h"
#include "ui/UserDialogs.h"

namespace quelmora {

namespace {

const QColor WindowBackground(0xF0, 0xF3, 0xF6);
const QColor HeaderBackground(0x22, 0x34, 0x49);
constexpr const char* FontName = "Segoe UI";
constexpr const char* CommandProperty = "commandCode";

constexpr std::array<const char*, 4> CriterionTexts = {SCriterionCostPerVolume, SCriterionBoxCount,
                                                       SCriterionPalletFill, SCriterionCombined};

const QStringList ProjectFilter = {QString::fromUtf8("Велдран (*.vld)")};
const QStringList CsvFilter = {QStringLiteral("CSV UTF-8 (*.csv)")};
const QStringList ExportFilters = {QStringLiteral("CSV UTF-8 (*.csv)"),
                                   QStringLiteral("JSON (*.json)")};
const QStringList PdfFilter = {QStringLiteral("PDF (*.pdf)")};

// The grid's header texts and tool tips in the current language.
void ShowGridHeaders(TProductGridWidget& grid) {
  for (int column = 0; column < GridColumnCount; ++column) {
    grid.SetCell(column, 0, Translated(GridColumnHeader(column)));
    const std::string_view help = GridColumnHelp(column);
    grid.horizontalHeaderItem(column)->setToolTip(help.empty() ? QString() : Translated(help));
  }
}

std::string S(const QString& text) {
  return text.toStdString();
}

// Detail texts keep CR LF; the text widgets want plain line feeds.
QString MemoText(const std::string& text) {
  QString lines = Utf8(text);
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return lines;
}

// The strength lines go under the memo's text; with none the memo keeps
// exactly its plain text.
void AppendStrengthLines(QPlainTextEdit& memo, const std::vector<TStrengthLine>& lines) {
  if (lines.empty()) return;
  QTextCursor cursor(memo.document());
  cursor.movePosition(QTextCursor::End);
  const QTextCharFormat plain = cursor.charFormat();
  QTextCharFormat warning = plain;
  warning.setForeground(QColor(static_cast<QRgb>(StrengthWarningColour)));
  cursor.insertText(QStringLiteral("\n"), plain);
  for (const TStrengthLine& line : lines)
    cursor.insertText(QStringLiteral("\n") + Utf8(line.Text), line.Warning ? warning : plain);
}

// Numbers on screen: the user's decimal separator.
TNumberFormat UserNumbers() {
  TNumberFormat numbers;
  numbers.DecimalSeparator = S(QLocale().decimalPoint());
  if (numbers.DecimalSeparator.empty()) numbers.DecimalSeparator = ".";
  return numbers;
}

bool SameLatinCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  for (size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

void FillWith(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QVBoxLayout* Column(QWidget* parent) {
  auto* layout = new QVBoxLayout(parent);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  return layout;
}

// Sets a flag for the life of the scope, also when it is left by an error.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
};

}  // namespace

TMainFormEditors DefaultMainFormEditors() {
  return {&TProductEditForm::Edit, &TSettingsForm::Edit};
}

TMainForm::TMainForm(IUserDialogs& Dialogs, QWidget* Owner)
    : TMainForm(Dialogs, DefaultMainFormEditors(), Owner) {}

TMainForm::TMainForm(IUserDialogs& Dialogs, TMainFormEditors Editors, QWidget* Owner)
    : QWidget(Owner), FDialogs(Dialogs), FEditors(std::move(Editors)) {
  InitLanguage();
  setWindowTitle(Utf8(SAppTitle));
  resize(1340, 920);
  setMinimumSize(1080, 700);
  setFont(QFont(FontName, 10));
  FillWith(this, WindowBackground);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  FData = LoadLumarProject();
  BuildWindow();
  ShowProject();
  FillLanguages();
  ApplyTexts();
  FormResize();
  FExport->setEnabled(false);
  FReport->setEnabled(false);
}

// The worker goes first: its destruction cancels the run and waits for it.
TMainForm::~TMainForm() {
  FWorker.reset();
}

QWidget* TMainForm::AddPanel(QWidget* Parent) {
  auto* panel = new QWidget(Parent);
  FillWith(panel, Qt::white);
  return panel;
}

QLabel* TMainForm::AddLabel(QWidget* Parent, const char* Caption, int Left, int Top, bool Bold) {
  auto* label = new QLabel(Utf8(Caption), Parent);
  label->setGeometry(Left, Top, 500, 22);
  if (Bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  label->adjustSize();
  FAutoSizeLabels.push_back(label);
  return label;
}

QPushButton* TMainForm::AddButton(QWidget* Parent, const char* Caption, int Left, int Width,
                                  int Code) {
  auto* button = new QPushButton(Utf8(Caption), Parent);
  button->setGeometry(Left, 8, Width, 34);
  button->setProperty(CommandProperty, Code);
  button->setObjectName(QStringLiteral("Command%1").arg(Code));
  connect(button, &QPushButton::clicked, this, [this, Code] { ButtonClick(Code); });
  return button;
}

QWidget* TMainForm::AddCaptionStrip(QWidget* Parent, const char* Caption, int Height,
                                    int LabelTop) {
  QWidget* strip = AddPanel(Parent);
  strip->setFixedHeight(Height);
  AddLabel(strip, Caption, 12, LabelTop, true);
  return strip;
}

void TMainForm::BuildWindow() {
  QVBoxLayout* bands = Column(this);

  // Header: title and language selector.
  FHeader = AddPanel(this);
  FHeader->setObjectName(QStringLiteral("Header"));
  FHeader->setFixedHeight(54);
  FillWith(FHeader, HeaderBackground);
  FTitle = AddLabel(FHeader, SAppTitle, 12, 15);
  QFont titleFont = FTitle->font();
  titleFont.setPointSize(15);
  FTitle->setFont(titleFont);
  QPalette titlePalette = FTitle->palette();
  titlePalette.setColor(QPalette::WindowText, Qt::white);
  FTitle->setPalette(titlePalette);
  FTitle->adjustSize();
  FLanguage = new QComboBox(FHeader);
  FLanguage->setObjectName(QStringLiteral("FLanguage"));
  FLanguage->setEditable(false);
  FLanguage->resize(190, 30);
  FLanguage->setProperty(LanguageSelectorProperty, LanguageSelectorTag);
  connect(FLanguage, &QComboBox::currentIndexChanged, this, [this] { LanguageChange(); });
  FHeader->installEventFilter(this);
  bands->addWidget(FHeader);

  // Products: the grid over its toolbar.
  FInputPanel = AddPanel(this);
  FInputPanel->setObjectName(QStringLiteral("FInputPanel"));
  FInputPanel->setFixedHeight(246);
  QVBoxLayout* input = Column(FInputPanel);
  FGrid = new TProductGridWidget(FInputPanel);
  FGrid->setObjectName(QStringLiteral("FGrid"));
  FGrid->SetGridRowCount(2);
  FGrid->CellValidity = [this](int column, int row) { return IsCellValid(column, row); };
  connect(FGrid, &TProductGridWidget::CellTextChanged, this,
          [this](int column, int row) { GridSetEditText(column, row); });
  connect(FGrid, &TProductGridWidget::GridDoubleClicked, this, [this] { GridDblClick(); });
  input->addWidget(FGrid, 1);
  QWidget* toolbar = AddPanel(FInputPanel);
  toolbar->setFixedHeight(50);
  FFlowRows.push_back({{}, 8});
  for (QPushButton* button :
       {AddButton(toolbar, SImportProducts, 10, 145, cmdImport),
        AddButton(toolbar, SAdd, 163, 100, cmdAdd), AddButton(toolbar, SEdit, 271, 100, cmdEdit),
        AddButton(toolbar, SDelete, 379, 100, cmdDelete)})
    FFlowRows.back().Items.emplace_back(button, button->geometry());
  input->addWidget(toolbar);
  bands->addWidget(FInputPanel);

  // Quick parameters, criterion, all parameters, sort indicator.
  FParameters = AddPanel(this);
  FParameters->setObjectName(QStringLiteral("FParameters"));
  FParameters->setFixedHeight(120);
  for (int i = 0; i < QuickSettingsFieldCount; ++i) {
    const TSettingsField& field = SettingsFields[QuickSettingsFields[i]];
    // Russian here; TranslateControlTree translates captions and tool tips.
    auto* caption = new QLabel(Utf8(field.Caption), FParameters);
    caption->setGeometry(12 + 174 * i, 8, 166, 40);
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    caption->setToolTip(Utf8(field.Help));
    FQuick[i] = new QLineEdit(FParameters);
    FQuick[i]->setObjectName(QStringLiteral("FQuick%1").arg(i));
    FQuick[i]->setGeometry(12 + 174 * i, 48, 156, 28);
    FQuick[i]->setToolTip(Utf8(field.Help));
    connect(FQuick[i], &QLineEdit::textChanged, this, [this] { MarkModified(); });
  }
  FCriterion = new QComboBox(FParameters);
  FCriterion->setObjectName(QStringLiteral("FCriterion"));
  FCriterion->setGeometry(12, 86, 248, 28);
  for (const char* text : CriterionTexts)
    FCriterion->addItem(Utf8(text));
  connect(FCriterion, &QComboBox::currentIndexChanged, this, [this] { MarkModified(); });
  QPushButton* allParameters = AddButton(FParameters, SAllParameters, 280, 145, cmdAllParameters);
  allParameters->move(280, 82);
  FSort = new QCheckBox(Utf8(SListSortedByName), FParameters);
  FSort->setObjectName(QStringLiteral("FSort"));
  FSort->setGeometry(450, 84, 220, 30);
  FSort->setChecked(true);
  FSort->setEnabled(false);
  FFlowRows.push_back({{{FCriterion, FCriterion->geometry()},
                        {allParameters, allParameters->geometry()},
                        {FSort, FSort->geometry()}},
                       20});
  bands->addWidget(FParameters);

  // Results: boxes and products | pack and proposal | layout and current packaging.
  FDetails = AddPanel(this);
  FDetails->setObjectName(QStringLiteral("FDetails"));
  auto* columns = new QHBoxLayout(FDetails);
  columns->setContentsMargins(0, 0, 0, 0);
  columns->setSpacing(0);

  const auto addList = [this](QWidget* parent, QVBoxLayout* layout, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(Utf8(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(list, 1);
    return list;
  };
  QWidget* left = AddPanel(FDetails);
  left->setFixedWidth(360);
  QVBoxLayout* leftLayout = Column(left);
  QWidget* boxesBlock = AddPanel(left);
  boxesBlock->setFixedHeight(170);
  QVBoxLayout* boxesLayout = Column(boxesBlock);
  boxesLayout->addWidget(AddCaptionStrip(boxesBlock, SUnifiedBoxes, 38, 9));
  FList = addList(boxesBlock, boxesLayout, "FList");
  connect(FList, &QListWidget::currentRowChanged, this, [this] { BoxSelection(); });
  leftLayout->addWidget(boxesBlock);
  QWidget* productsBlock = AddPanel(left);
  QVBoxLayout* productsLayout = Column(productsBlock);
  productsLayout->addWidget(AddCaptionStrip(productsBlock, SProductsInSelectedBox, 38, 9));
  FProductList = addList(productsBlock, productsLayout, "FProductList");
  connect(FProductList, &QListWidget::currentRowChanged, this, [this] { ProductSelection(); });
  leftLayout->addWidget(productsBlock, 1);

  const auto addDetailColumn = [this](QWidget* column, const char* previewCaption,
                                      TPreviewArea*& preview, const char* memoCaption,
                                      QPlainTextEdit*& memo, TPalletView** pallet = nullptr) {
    QVBoxLayout* layout = Column(column);
    QWidget* top = AddPanel(column);
    top->setFixedHeight(185);
    QVBoxLayout* topLayout = Column(top);
    topLayout->addWidget(AddCaptionStrip(top, previewCaption, 28, 5));
    preview = new TPreviewArea(top);
    if (pallet) {
      // The pallet shares the drawing's row, under the same caption strip.
      QWidget* row = AddPanel(top);
      auto* rowLayout = new QHBoxLayout(row);
      rowLayout->setContentsMargins(0, 0, 0, 0);
      rowLayout->setSpacing(0);
      preview->setParent(row);
      *pallet = new TPalletView(row);
      rowLayout->addWidget(preview, 1);
      rowLayout->addWidget(*pallet, 1);
      topLayout->addWidget(row, 1);
    } else {
      topLayout->addWidget(preview, 1);
    }
    layout->addWidget(top);
    layout->addWidget(AddCaptionStrip(column, memoCaption, 38, 9));
    memo = new QPlainTextEdit(column);
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(memo, 1);
  };
  QWidget* middle = AddPanel(FDetails);
  addDetailColumn(middle, SPackPreviewTitle, FPackPreview, SOptimalVariant, FOptimalMemo,
                  &FPalletView);
  FPalletView->setObjectName(QStringLiteral("FPalletView"));
  FOriginalPanel = AddPanel(FDetails);
  FOriginalPanel->setObjectName(QStringLiteral("FOriginalPanel"));
  addDetailColumn(FOriginalPanel, SLayoutPreviewTitle, FLayoutPreview, SOriginalVariant,
                  FOriginalMemo);
  FPackPreview->setObjectName(QStringLiteral("FPackPreview"));
  FLayoutPreview->setObjectName(QStringLiteral("FLayoutPreview"));
  FOptimalMemo->setObjectName(QStringLiteral("FOptimalMemo"));
  FOriginalMemo->setObjectName(QStringLiteral("FOriginalMemo"));
  FPackPreview->Paint = [this](IDrawingSurface& canvas, const TRect& rect) {
    PaintPackPreview(canvas, rect);
  };
  FLayoutPreview->Paint = [this](IDrawingSurface& canvas, const TRect& rect) {
    PaintLayoutPreview(canvas, rect);
  };
  columns->addWidget(left);
  columns->addWidget(middle, 1);
  columns->addWidget(FOriginalPanel);
  bands->addWidget(FDetails, 1);

  // Status band: progress, status text, Cancel.
  FStatusBand = AddPanel(this);
  FStatusBand->setObjectName(QStringLiteral("StatusBand"));
  FStatusBand->setFixedHeight(48);
  FProgress = new QProgressBar(FStatusBand);
  FProgress->setObjectName(QStringLiteral("FProgress"));
  FProgress->setGeometry(12, 14, 220, 20);
  FProgress->setRange(0, 100);
  FProgress->setValue(0);
  FProgress->setTextVisible(false);
  FStatus = new QLabel(Utf8(SReadyToCalculate), FStatusBand);
  FStatus->setObjectName(QStringLiteral("FStatus"));
  FStatus->setGeometry(244, 14, 650, 22);
  FCancel = AddButton(FStatusBand, SCancel, 910, 120, cmdCancel);
  FCancel->setEnabled(false);
  bands->addWidget(FStatusBand);

  // Action bar, the lowest band.
  FActions = AddPanel(this);
  FActions->setObjectName(QStringLiteral("FActions"));
  FActions->setFixedHeight(50);
  FRun = AddButton(FActions, SCalculate, 12, 120, cmdRun);
  QPushButton* saveButton = AddButton(FActions, SSave, 144, 110, cmdSave);
  QPushButton* openButton = AddButton(FActions, SOpen, 266, 110, cmdOpen);
  FExport = AddButton(FActions, SExport, 388, 110, cmdExport);
  FReport = AddButton(FActions, SReport, 510, 110, cmdReport);
  QPushButton* closeButton = AddButton(FActions, SClose, 632, 110, cmdClose);
  FFlowRows.push_back({{}, 12});
  for (QPushButton* button : {FRun, saveButton, openButton, FExport, FReport, closeButton})
    FFlowRows.back().Items.emplace_back(button, button->geometry());
  bands->addWidget(FActions);

  FTimer = new QTimer(this);
  FTimer->setInterval(150);
  connect(FTimer, &QTimer::timeout, this, [this] { TimerTick(); });
}

QPushButton* TMainForm::CommandButton(int Code) const {
  for (QPushButton* button : findChildren<QPushButton*>())
    if (button->property(CommandProperty).toInt() == Code) return button;
  return nullptr;
}

// ---------------------------------------------------------------- language

void TMainForm::FillLanguages() {
  TFlagScope changing(FChangingLanguage);
  FLanguages = ListLanguages();
  FLanguage->clear();
  int selected = -1;
  for (size_t i = 0; i < FLanguages.size(); ++i) {
    FLanguage->addItem(Utf8(FLanguages[i].DisplayName));
    if (selected < 0 && SameLatinCase(FLanguages[i].FileName, CurrentLanguageFile()))
      selected = static_cast<int>(i);
  }
  FLanguage->setCurrentIndex(selected);
}

void TMainForm::LanguageChange() {
  if (FChangingLanguage) return;
  const int index = FLanguage->currentIndex();
  if (index < 0 || index >= static_cast<int>(FLanguages.size())) return;
  const std::string fileName = FLanguages[index].FileName;
  Guarded([&] {
    if (!LoadLanguage(fileName)) return;
    // The texts follow the language even when the choice cannot be remembered.
    ApplyTexts();
    SaveLanguageChoice(fileName);
  });
}

void TMainForm::ApplyTexts() {
  const int criterion = FCriterion->currentIndex();
  TranslateControlTree(this);
  setWindowTitle(Translated(SAppTitle));
  QApplication::setApplicationDisplayName(windowTitle());
  ShowGridHeaders(*FGrid);
  FGrid->FitHeaderTexts();
  {
    const QSignalBlocker quiet(FCriterion);
    FCriterion->clear();
    for (const char* text : CriterionTexts)
      FCriterion->addItem(Translated(text));
    FCriterion->setCurrentIndex(criterion);
  }
  for (QLabel* label : FAutoSizeLabels)
    label->adjustSize();
  FlowRows();
  if (!FResult.Solutions.empty()) ShowResults();
}

void TMainForm::FlowRows() {
  for (const TFlowRow& row : FFlowRows) {
    int right = std::numeric_limits<int>::min() / 2;
    for (const auto& [widget, designed] : row.Items) {
      const int width = std::max(designed.width(), widget->sizeHint().width());
      const int left = std::max(designed.left(), right + row.Gap);
      widget->setGeometry(left, designed.top(), width, designed.height());
      right = left + width;
    }
  }
}

void TMainForm::FormResize() {
  if (!FOriginalPanel) return;
  FOriginalPanel->setFixedWidth(std::max(340, (width() - 360) / 2));
}

void TMainForm::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  FormResize();
}

bool TMainForm::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FHeader && Event->type() == QEvent::Resize)
    FLanguage->move(FHeader->width() - 20 - FLanguage->width(), 12);
  return QWidget::eventFilter(Watched, Event);
}

// ---------------------------------------------------------------- commands

bool TMainForm::Guarded(const std::function<void()>& Action) {
  return RunOrShowError(FDialogs, this, Action);
}

void TMainForm::RunCommand(int Code) {
  ButtonClick(Code);
}

void TMainForm::ButtonClick(int Code) {
  // A value still in the grid's editor belongs to the project the command sees.
  FGrid->CommitPendingEdit();
  Guarded([&] {
    switch (Code) {
      case cmdImport:
        ImportProducts();
        break;
      case cmdAdd:
        AddProduct();
        break;
      case cmdEdit:
        EditProduct();
        break;
      case cmdDelete:
        DeleteProduct();
        break;
      case cmdAllParameters:
        EditAllParameters();
        break;
      case cmdRun:
        StartCalculation();
        break;
      case cmdSave:
        SaveProjectAs();
        break;
      case cmdOpen: {
        if (!ConfirmSaveChanges()) return;
        const QString fileName = FDialogs.OpenFileName(this, ProjectFilter);
        if (fileName.isEmpty()) return;
        TProjectData project = LoadProject(S(fileName));
        FData = std::move(project);
        ShowProject();
        ClearResults();
        FModified = false;
        break;
      }
      case cmdExport:
        ExportResults();
        break;
      case cmdClose:
        close();
        break;
      case cmdCancel:
        if (FWorker) FWorker->Cancel();
        break;
      case cmdReport:
        WriteReport();
        break;
      default:
        break;
    }
  });
}

void TMainForm::ImportProducts() {
  CollectProject();
  const QString fileName = FDialogs.OpenFileName(this, CsvFilter);
  if (fileName.isEmpty()) return;
  TCsvProductImporter importer;
  std::vector<TProduct> products = importer.ImportFile(S(fileName));
  int64_t id = NextProductId();
  if (id + static_cast<int64_t>(products.size()) - 1 > std::numeric_limits<int32_t>::max())
    throw Exception(TErrorKind::IdOutOfRange, "Product Id");
  for (TProduct& product : products)
    product.Id = static_cast<int32_t>(id++);
  FData.Products.insert(FData.Products.end(), products.begin(), products.end());
  ShowProject();
  MarkModified();
}

void TMainForm::AddProduct() {
  CollectProject();
  TProduct product = DefaultProduct(NextProductId());
  product.Name = SNewProduct;
  if (!FEditors.EditProduct(this, product, FDialogs)) return;
  FData.Products.push_back(product);
  ShowProject();
  MarkModified();
}

void TMainForm::EditProduct() {
  const int r = FGrid->CurrentGridRow() - 1;
  if (r < 0 || r >= static_cast<int>(FData.Products.size())) return;
  // The edited row goes through the dialog, which judges it; the others are
  // taken over as they stand.
  CollectProject(r + 1);
  TProduct product;
  ReadGridRow(r + 1, product, false);
  if (!FEditors.EditProduct(this, product, FDialogs)) return;
  FData.Products[r] = product;
  ShowProject();
  FGrid->SetCurrentCell(FGrid->CurrentGridColumn(), r + 1);
  MarkModified();
}

void TMainForm::DeleteProduct() {
  const int r = FGrid->CurrentGridRow() - 1;
  if (r < 0 || r >= static_cast<int>(FData.Products.size())) return;
  // The remaining rows and the quick fields are redrawn afterwards, so what
  // the user typed there is taken over first.
  CollectProject(r + 1);
  if (FDialogs.AskYesNo(this, Translated(SConfirmDeleteProduct)) != IUserDialogs::TAnswer::Yes)
    return;
  FData.Products.erase(FData.Products.begin() + r);
  ShowProject();
  MarkModified();
}

void TMainForm::EditAllParameters() {
  CollectProject();
  if (!FEditors.EditSettings(this, FData.Settings, FDialogs)) return;
  ShowProject();
  MarkModified();
}

void TMainForm::StartCalculation() {
  CollectProject();
  ValidateProject(FData.Products, FData.Settings);
  std::vector<TProduct> products = FData.Products;
  TOptimizationSettings settings = FData.Settings;
  const TNumberFormat numbers = UserNumbers();
  const auto ask = [&](const TProduct& product, double volume) {
    const std::string question = FormatLocal(numbers, Tr(SVolumeMismatchQuestion), product.Name,
                                             product.MinVolumeM3, product.MaxVolumeM3, volume);
    switch (FDialogs.AskYesNoCancel(this, Utf8(question))) {
      case IUserDialogs::TAnswer::Yes:
        return TMismatchAnswer::UseSample;
      case IUserDialogs::TAnswer::No:
        return TMismatchAnswer::UseRange;
      default:
        return TMismatchAnswer::Cancel;
    }
  };
  if (!ResolveVolumeMismatch(products, settings, ask)) return;
  ClearResults();
  FProgress->setValue(0);
  FWorker = std::make_unique<TOptimizationWorker>(std::move(products), std::move(settings),
                                                  FData.OptimizationCriterion);
  SetBusy(true);
  try {
    FWorker->Start();
  } catch (...) {
    // No thread was started: the window must not wait for it.
    FWorker.reset();
    SetBusy(false);
    throw;
  }
}

void TMainForm::ExportResults() {
  if (FResult.Solutions.empty()) return;
  const IUserDialogs::TSaveChoice choice =
      FDialogs.SaveFileName(this, ExportFilters, QStringLiteral("csv"), QString());
  if (choice.FileName.isEmpty()) return;
  // The selected file type decides, whatever extension was typed.
  if (choice.FilterIndex == 1) {
    SaveResultJson(S(choice.FileName), FResult, ResultStrengths(FData.Settings, FResult));
  } else {
    TCsvResultExporter exporter;
    exporter.ExportFile(S(choice.FileName), FData.Products, FResult);
  }
  SetStatus(Tr(SFileSaved));
}

void TMainForm::WriteReport() {
  if (FResult.Solutions.empty()) return;
  const IUserDialogs::TSaveChoice choice = FDialogs.SaveFileName(
      this, PdfFilter, QStringLiteral("pdf"), QStringLiteral("quelmora-report.pdf"));
  if (choice.FileName.isEmpty()) return;
  ExportPdfReport(S(choice.FileName), FData, FResult);
  SetStatus(Tr(SPdfReportSaved));
}

void TMainForm::SetBusy(bool Busy) {
  FInputPanel->setEnabled(!Busy);
  FParameters->setEnabled(!Busy);
  FActions->setEnabled(!Busy);
  FCancel->setEnabled(Busy);
  if (Busy)
    FTimer->start();
  else
    FTimer->stop();
}

void TMainForm::TimerTick() {
  if (!FWorker) return;
  int32_t percent = 0;
  std::string stage;
  FWorker->Snapshot(percent, stage);
  FProgress->setValue(percent);
  SetStatus(TrMultiline(stage));
  if (!FWorker->Done()) return;

  const std::string error = FWorker->Error();
  FResult = FWorker->Output();
  FWorker.reset();
  SetBusy(false);
  if (!error.empty()) {
    FResult = TOptimizationResult{};
    FDialogs.ShowError(this, Utf8(error));
  } else if (FResult.Cancelled) {
    SetStatus(Tr(SCalculationCancelled));
  } else {
    Guarded([&] { ShowResults(); });
  }
  if (FCloseAfterCancel) {
    FCloseAfterCancel = false;
    close();
  }
}

bool TMainForm::SaveProjectAs() {
  CollectProject();
  const IUserDialogs::TSaveChoice choice =
      FDialogs.SaveFileName(this, ProjectFilter, QStringLiteral("vld"), QString());
  if (choice.FileName.isEmpty()) return false;
  SaveProject(S(choice.FileName), FData);
  FModified = false;
  SetStatus(Tr(SFileSaved));
  return true;
}

bool TMainForm::ConfirmSaveChanges() {
  if (!FModified) return true;
  // The Save button's caption as the user reads it, with a question mark.
  switch (FDialogs.AskYesNoCancel(this, Translated(SSave) + QStringLiteral("?"))) {
    case IUserDialogs::TAnswer::Yes:
      return SaveProjectAs();
    case IUserDialogs::TAnswer::No:
      return true;
    default:
      return false;
  }
}

bool TMainForm::FormCloseQuery() {
  if (FWorker) {
    FCloseAfterCancel = true;
    FWorker->Cancel();
    SetStatus(Tr(SCancellingBeforeClose));
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

// ---------------------------------------------------------------- results

void TMainForm::ShowResults() {
  const TNumberFormat numbers = UserNumbers();
  {
    const QSignalBlocker quietBoxes(FList);
    const QSignalBlocker quietProducts(FProductList);
    FList->setUpdatesEnabled(false);
    FList->clear();
    FProductList->clear();
    FPackSolutionIndices.clear();
    FBoxSolutionIndices = UnifiedBoxRepresentatives(FResult);
    for (int representative : FBoxSolutionIndices) {
      auto* item = new QListWidgetItem(Utf8(UnifiedBoxLine(numbers, FResult, representative)));
      item->setSizeHint(QSize(650, 28));
      FList->addItem(item);
    }
    FList->setUpdatesEnabled(true);
  }
  const bool any = FList->count() > 0;
  FExport->setEnabled(any);
  FReport->setEnabled(any);
  if (!any) {
    SetStatus(Tr(SNoFeasibleSolutions));
    return;
  }
  {
    const QSignalBlocker quiet(FList);
    FList->setCurrentRow(0);
  }
  BoxSelection();
  SetStatus(CompletionStatus(numbers, FResult, FList->count()));
}

void TMainForm::BoxSelection() {
  const TNumberFormat numbers = UserNumbers();
  const QSignalBlocker quiet(FProductList);
  FProductList->clear();
  FPackSolutionIndices.clear();
  const int selected = FList->currentRow();
  if (selected < 0 || selected >= static_cast<int>(FBoxSolutionIndices.size())) return;
  const int32_t group = FResult.Solutions[FBoxSolutionIndices[selected]].UnifiedGroupId;
  FPackSolutionIndices = SolutionsOfGroup(FData, FResult, group);
  FProductList->setUpdatesEnabled(false);
  for (int index : FPackSolutionIndices) {
    auto* item = new QListWidgetItem(Utf8(ProductLine(numbers, FData, FResult.Solutions[index])));
    item->setSizeHint(QSize(650, 28));
    FProductList->addItem(item);
  }
  FProductList->setUpdatesEnabled(true);
  if (FProductList->count() == 0) return;
  FProductList->setCurrentRow(0);
  ProductSelection();
}

bool TMainForm::SelectedSolution(TOptimizationSolution& Solution) const {
  const int selected = FProductList->currentRow();
  if (selected < 0 || selected >= static_cast<int>(FPackSolutionIndices.size())) return false;
  Solution = FResult.Solutions[FPackSolutionIndices[selected]];
  return true;
}

void TMainForm::ProductSelection() {
  TOptimizationSolution solution;
  if (!SelectedSolution(solution)) return;
  const TNumberFormat numbers = UserNumbers();
  // The layers are cheap here: the grid's, listed once per selection.
  const TPalletSetup pallet = PalletSetupOf(FData.Settings);
  TPalletLayer layer = SolutionLayer(solution.Box, pallet);
  const TPalletLayer originalLayer = SolutionLayer(solution.OriginalBox, pallet);
  FOptimalMemo->setPlainText(MemoText(OptimalDetailsText(numbers, FData, solution) + "\r\n\r\n" +
                                      PalletDetailsText(numbers, solution.Box, layer, pallet)));
  FOriginalMemo->setPlainText(
      MemoText(OriginalDetailsText(numbers, FData, solution) + "\r\n\r\n" +
               PalletDetailsText(numbers, solution.OriginalBox, originalLayer, pallet)));
  AppendStrengthLines(*FOptimalMemo, StrengthDetailLines(numbers, FData.Settings, solution.Box));
  AppendStrengthLines(*FOriginalMemo,
                      StrengthDetailLines(numbers, FData.Settings, solution.OriginalBox));
  FPalletView->Show(solution.Box, std::move(layer), pallet);
  FPackPreview->update();
  FLayoutPreview->update();
}

void TMainForm::PaintPackPreview(IDrawingSurface& Canvas, const TRect& Rect) {
  TOptimizationSolution solution;
  if (SelectedSolution(solution)) {
    DrawPackPreview(Canvas, Rect, solution, UserNumbers());
  } else {
    Canvas.SetBrush(0xFFFFFF, TBrushStyle::Solid);
    Canvas.FillRect(Rect);
  }
}

void TMainForm::PaintLayoutPreview(IDrawingSurface& Canvas, const TRect& Rect) {
  TOptimizationSolution solution;
  if (SelectedSolution(solution)) {
    DrawBoxLayout(Canvas, Rect, solution, UserNumbers());
  } else {
    Canvas.SetBrush(0xFFFFFF, TBrushStyle::Solid);
    Canvas.FillRect(Rect);
  }
}

// ---------------------------------------------------------------- grid

void TMainForm::ShowProject() {
  TFlagScope loading(FLoading);
  const std::string separator = GridDecimalSeparator();
  const int products = static_cast<int>(FData.Products.size());
  FGrid->SetGridRowCount(std::max(2, products + 1));
  ShowGridHeaders(*FGrid);
  for (int row = 1; row < FGrid->GridRowCount(); ++row)
    for (int column = 0; column < GridColumnCount; ++column)
      FGrid->SetCell(column, row, {});
  for (int j = 0; j < products; ++j) {
    const TGridRowTexts cells = ProductRowTexts(FData.Products[j], separator);
    for (int column = 0; column < GridColumnCount; ++column)
      FGrid->SetCell(column, j + 1, Utf8(cells[column]));
  }
  for (int i = 0; i < QuickSettingsFieldCount; ++i)
    FQuick[i]->setText(Utf8(
        FormatGridNumber(GetSettingsField(FData.Settings, QuickSettingsFields[i]), separator)));
  FCriterion->setCurrentIndex(static_cast<int>(FData.OptimizationCriterion));
  FSort->setChecked(true);
  FGrid->viewport()->update();
}

bool TMainForm::ReadGridRow(int Row, TProduct& Product, bool Strict) const {
  if (Row < 1 || Row > static_cast<int>(FData.Products.size())) return false;
  TGridRowTexts cells;
  for (int column = 0; column < GridColumnCount; ++column)
    cells[column] = S(FGrid->Cell(column, Row));
  return ReadProductRow(cells, FData.Products[Row - 1], Product, Strict);
}

bool TMainForm::IsCellValid(int Column, int Row) const {
  if (Row < 1 || Row > static_cast<int>(FData.Products.size())) return true;
  TGridRowTexts cells;
  for (int column = 0; column < GridColumnCount; ++column)
    cells[column] = S(FGrid->Cell(column, Row));
  return IsProductCellValid(cells, FData.Products[Row - 1], Column);
}

void TMainForm::GridSetEditText(int, int) {
  MarkModified();
  FGrid->viewport()->update();
}

void TMainForm::GridDblClick() {
  if (FGrid->CurrentGridColumn() != GridEnabledColumn) {
    ButtonClick(cmdEdit);
    return;
  }
  const int row = FGrid->CurrentGridRow();
  const QString flag = FGrid->Cell(GridEnabledColumn, row);
  FGrid->SetCell(GridEnabledColumn, row,
                 flag == QStringLiteral("1") ? QStringLiteral("0") : QStringLiteral("1"));
  MarkModified();
}

std::vector<TProduct> TMainForm::TakeOverGridRows(int SkipRow) const {
  std::vector<TProduct> products = FData.Products;
  for (int row = 1; row <= static_cast<int>(products.size()); ++row) {
    if (row == SkipRow) continue;
    TGridRowTexts cells;
    for (int column = 0; column < GridColumnCount; ++column)
      cells[column] = S(FGrid->Cell(column, row));
    const TProduct& stored = FData.Products[row - 1];
    if (ReadProductRow(cells, stored, products[row - 1], true)) continue;
    const int column = std::max(FirstRejectedColumn(cells, stored), 0);
    std::string name(Trim(cells[ProductNameFieldIndex]));
    if (name.empty()) name = stored.Name;
    FGrid->SetCurrentCell(column, row);  // where the user has to look
    throw Exception(TErrorKind::InvalidInput,
                    Tr(SFixHighlightedCells) + "\n\n" + name + ": " + Tr(GridColumnHeader(column)))
        .InField(column < ProductFieldCount ? std::string(ProductFieldNames[column]) : "Enabled");
  }
  return products;
}

void TMainForm::CollectProject(int SkipRow) {
  TOptimizationSettings settings = FData.Settings;
  for (int i = 0; i < QuickSettingsFieldCount; ++i) {
    const int index = QuickSettingsFields[i];
    const std::string text = S(FQuick[i]->text());
    if (ShowsStoredNumber(text, GetSettingsField(settings, index))) continue;
    double value = 0;
    if (!TryParseNumber(text, value))
      throw Exception(TErrorKind::NotANumber, std::string(SettingsFields[index].Caption))
          .InField(std::string(SettingsFields[index].Key));
    SetSettingsField(settings, index, value);
  }
  settings.SortBoxes = FSort->isChecked();
  ValidateSettings(settings);
  std::vector<TProduct> products = TakeOverGridRows(SkipRow);
  FData.Settings = settings;
  FData.Products = std::move(products);
  FData.OptimizationCriterion =
      static_cast<TCriterionKind>(std::max(FCriterion->currentIndex(), 0));
}

int TMainForm::NextProductId() const {
  int64_t largest = 0;
  for (const TProduct& product : FData.Products)
    largest = std::max<int64_t>(largest, product.Id);
  if (largest >= std::numeric_limits<int32_t>::max())
    throw Exception(TErrorKind::IdOutOfRange, "Product Id");
  return static_cast<int>(largest + 1);
}

void TMainForm::MarkModified() {
  if (FLoading) return;
  FModified = true;
  ClearResults();
}

void TMainForm::ClearResults() {
  FResult = TOptimizationResult{};
  {
    const QSignalBlocker quietBoxes(FList);
    const QSignalBlocker quietProducts(FProductList);
    FList->clear();
    FProductList->clear();
  }
  FBoxSolutionIndices.clear();
  FPackSolutionIndices.clear();
  FOptimalMemo->clear();
  FOriginalMemo->clear();
  FPalletView->Clear();
  FPackPreview->update();
  FLayoutPreview->update();
  FExport->setEnabled(false);
  FReport->setEnabled(false);
  SetStatus(Tr(SDataChanged));
}

void TMainForm::SetStatus(const std::string& Text) {
  FStatus->setText(Utf8(Text));
}

}  // namespace quelmora
