#include "ui/SettingsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <string>

#include "l10n/LocalFormat.h"
#include "l10n/Localization.h"
#include "l10n/TranslateControl.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/PalletPresets.h"
#include "model/SettingsFields.h"
#include "model/Validation.h"
#include "ui/UiText.h"
#include "ui/UserDialogs.h"

namespace quelmora {

namespace {

// Lets Enter and Esc act on the dialog while a cell is being edited; the
// stock delegate would keep them for the editor.
class TCellDelegate final : public QStyledItemDelegate {
 public:
  explicit TCellDelegate(TFieldGrid* Grid) : QStyledItemDelegate(Grid), FGrid(Grid) {}

 protected:
  bool eventFilter(QObject* Editor, QEvent* Event) override {
    if (Event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(Event);
      if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
          FGrid->EmitEnter();
          return true;
        }
        if (key->key() == Qt::Key_Escape) {
          FGrid->EmitEscape();
          return true;
        }
      }
    }
    return QStyledItemDelegate::eventFilter(Editor, Event);
  }

 private:
  TFieldGrid* FGrid;
};

// Grid rows of the pallet's sizes, which the preset list fills.
constexpr int kPalletLengthRow = FieldIndex(SettingsFields, "PalletLengthMM") + 1;
constexpr int kPalletWidthRow = FieldIndex(SettingsFields, "PalletWidthMM") + 1;
static_assert(kPalletLengthRow > 0 && kPalletWidthRow > 0);
constexpr int kOtherPalletPreset = static_cast<int>(PalletPresets.size());

}  // namespace

QString FieldNumberText(double Value) {
  // TryParseNumber reads a point or a comma; any other separator could not
  // be read back, and an unchanged dialog must apply.
  const TNumberFormat numbers{QLocale().decimalPoint() == QStringLiteral(",") ? "," : "."};
  return QString::fromStdString(FormatLocal(numbers, "%.15g", Value));
}

TFieldGrid::TFieldGrid(QWidget* Parent, int RowCount, int CaptionWidth, int ValueWidth,
                       int RowHeight)
    : QTableWidget(RowCount, 2, Parent) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(RowHeight);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setColumnWidth(0, CaptionWidth);
  setColumnWidth(1, ValueWidth);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                  QAbstractItemView::SelectedClicked | QAbstractItemView::AnyKeyPressed);
  setWordWrap(false);
  setItemDelegate(new TCellDelegate(this));

  const QBrush fixedBack = palette().button();
  const QBrush fixedText = palette().buttonText();
  for (int row = 0; row < RowCount; ++row) {
    for (int column = 0; column < 2; ++column) {
      auto* item = new QTableWidgetItem();
      if (row == 0 || column == 0) {
        // Fixed cells take no focus, so Tab and the arrows go from value to value.
        item->setFlags(Qt::NoItemFlags);
        item->setBackground(fixedBack);
        item->setForeground(fixedText);
      } else {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
      }
      setItem(row, column, item);
    }
  }
  if (RowCount > 1) setCurrentCell(1, 1);
}

QString TFieldGrid::Cell(int Column, int Row) const {
  const QTableWidgetItem* cell = item(Row, Column);
  return cell ? cell->text() : QString();
}

void TFieldGrid::SetCell(int Column, int Row, const QString& Text) {
  if (QTableWidgetItem* cell = item(Row, Column)) cell->setText(Text);
}

void TFieldGrid::CommitEditor() {
  if (QWidget* editor = indexWidget(currentIndex())) commitData(editor);
}

void TFieldGrid::FocusRow(int Row) {
  setCurrentCell(Row, 1);
  setFocus();
}

void TFieldGrid::showEvent(QShowEvent* Event) {
  QTableWidget::showEvent(Event);
  OpenCurrentEditor();
}

void TFieldGrid::OpenCurrentEditor() {
  const QModelIndex current = currentIndex();
  if (current.isValid() && (current.flags() & Qt::ItemIsEditable) && state() != EditingState)
    edit(current);
}

void AddApplyAndCancel(QDialog& Dialog, TFieldGrid& Grid, QWidget* Panel, QPoint Apply,
                       QPoint Cancel, const std::function<void()>& OnApply,
                       QPushButton*& ApplyButton, QPushButton*& CancelButton) {
  ApplyButton = new QPushButton(Panel);
  SetKeyedText(ApplyButton, SApply);
  ApplyButton->setGeometry(Apply.x(), Apply.y(), 110, 32);
  ApplyButton->setDefault(true);
  CancelButton = new QPushButton(Panel);
  SetKeyedText(CancelButton, SCancel);
  CancelButton->setGeometry(Cancel.x(), Cancel.y(), 110, 32);
  QObject::connect(ApplyButton, &QPushButton::clicked, &Dialog, OnApply);
  QObject::connect(CancelButton, &QPushButton::clicked, &Dialog, &QDialog::reject);
  QObject::connect(&Grid, &TFieldGrid::EnterPressed, &Dialog, OnApply);
  QObject::connect(&Grid, &TFieldGrid::EscapePressed, &Dialog, &QDialog::reject);
}

void TFieldGrid::SetRowCaption(int Row, std::string_view Caption, std::string_view Help) {
  SetCell(0, Row, Translated(Caption));
  const QString tip = Translated(Help);
  for (int column = 0; column < 2; ++column)
    if (QTableWidgetItem* cell = item(Row, column)) cell->setToolTip(tip);
}

void ShowDialogTexts(QDialog& Dialog, TFieldGrid& Grid, const char* Title) {
  Grid.SetCell(0, 0, Utf8(Title));
  TranslateControlTree(&Dialog);
  Grid.SetCell(0, 0, Translated(Title));
}

void SetUpDialogFrame(QDialog& Dialog, const char* Caption, int Width, int Height) {
  SetKeyedTitle(&Dialog, Caption);
  Dialog.setFont(QFont(QStringLiteral("Segoe UI"), 10));
  Dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
  Dialog.setFixedSize(Width, Height);
  Dialog.setSizeGripEnabled(false);
  const QScreen* screen =
      Dialog.parentWidget() ? Dialog.parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    QRect frame(QPoint(0, 0), Dialog.size());
    frame.moveCenter(screen->availableGeometry().center());
    Dialog.move(frame.topLeft());
  }
}

TSettingsForm::TSettingsForm(QWidget* Parent, const TOptimizationSettings& Settings,
                             IUserDialogs& Dialogs)
    : QDialog(Parent), FDialogs(Dialogs), FSettings(Settings) {
  SetUpDialogFrame(*this, SAllParameters, 780, 720);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  FGrid = new TFieldGrid(this, SettingsFieldCount + 1, 500, 225, 30);
  layout->addWidget(FGrid, 1);

  auto* bottom = new QWidget(this);
  bottom->setFixedHeight(122);
  layout->addWidget(bottom);

  auto* modeLabel = new QLabel(bottom);
  SetKeyedText(modeLabel, SVolumeMismatchLabel);
  modeLabel->setGeometry(12, 8, 250, 20);
  FMode = new QComboBox(bottom);
  FMode->setEditable(false);
  for (const char* mode : {SUseSpecifiedRange, SUseSampleVolume, SAskUser})
    AddKeyedItem(FMode, mode);
  FMode->setGeometry(12, 30, 260, 28);
  SetKeyedTip(modeLabel, SVolumeMismatchHelp);
  SetKeyedTip(FMode, SVolumeMismatchHelp);
  auto* currencyLabel = new QLabel(bottom);
  SetKeyedText(currencyLabel, SCurrency);
  currencyLabel->setGeometry(300, 8, 100, 20);
  FCurrency = new QLineEdit(bottom);
  FCurrency->setGeometry(300, 30, 100, 28);
  SetKeyedTip(currencyLabel, SCurrencyHelp);
  SetKeyedTip(FCurrency, SCurrencyHelp);
  FOversize = new QCheckBox(bottom);
  SetKeyedText(FOversize, SAllowOversizeBoxes);
  FOversize->setGeometry(12, 70, 410, 28);
  SetKeyedTip(FOversize, SAllowOversizeHelp);
  FLimitLayers = new QCheckBox(bottom);
  SetKeyedText(FLimitLayers, SLimitLayersToStrength);
  FLimitLayers->setGeometry(12, 94, 480, 26);
  SetKeyedTip(FLimitLayers, SLimitLayersHelp);
  auto* presetLabel = new QLabel(bottom);
  SetKeyedText(presetLabel, SPalletPresetLabel);
  presetLabel->setGeometry(420, 8, 160, 20);
  FPreset = new QComboBox(bottom);
  FPreset->setEditable(false);
  for (const TPalletPreset& preset : PalletPresets)
    AddKeyedItem(FPreset, std::string(preset.Caption).c_str());
  AddKeyedItem(FPreset, SPalletPresetOther);
  FPreset->setGeometry(420, 30, 160, 28);
  SetKeyedTip(presetLabel, SPalletPresetHelp);
  SetKeyedTip(FPreset, SPalletPresetHelp);
  auto* methodLabel = new QLabel(bottom);
  SetKeyedText(methodLabel, SPalletMethodLabel);
  methodLabel->setGeometry(596, 8, 172, 20);
  FMethod = new QComboBox(bottom);
  FMethod->setEditable(false);
  AddKeyedItem(FMethod, SPalletMethodGrid);
  AddKeyedItem(FMethod, SPalletMethodBestLayer);
  FMethod->setGeometry(596, 30, 172, 28);
  SetKeyedTip(methodLabel, SPalletMethodHelp);
  SetKeyedTip(FMethod, SPalletMethodHelp);
  AddApplyAndCancel(
      *this, *FGrid, bottom, {510, 76}, {630, 76}, [this] { ApplyClick(); }, FApply, FCancel);
  ShowCaptions(*this, *FGrid, SAllParameters, SettingsFields);

  ShowSettings();
  connect(FPreset, &QComboBox::currentIndexChanged, this, [this](int index) { FillPreset(index); });
  connect(FGrid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (item->column() == 1 && (item->row() == kPalletLengthRow || item->row() == kPalletWidthRow))
      ShowPreset();
  });
  FGrid->setFocus();
}

void TSettingsForm::FillPreset(int Index) {
  if (Index < 0 || Index >= kOtherPalletPreset) return;  // another size keeps what is typed
  FGrid->SetCell(1, kPalletLengthRow, FieldNumberText(PalletPresets[Index].LengthMM));
  FGrid->SetCell(1, kPalletWidthRow, FieldNumberText(PalletPresets[Index].WidthMM));
}

void TSettingsForm::ShowPreset() {
  double length = 0, width = 0;
  const bool typed = TryParseNumber(FGrid->Cell(1, kPalletLengthRow).toStdString(), length) &&
                     TryParseNumber(FGrid->Cell(1, kPalletWidthRow).toStdString(), width);
  const int preset = typed ? FindPalletPreset(length, width) : -1;
  const QSignalBlocker quiet(FPreset);
  FPreset->setCurrentIndex(preset >= 0 ? preset : kOtherPalletPreset);
}

void TSettingsForm::ShowSettings() {
  for (int r = 1; r <= SettingsFieldCount; ++r)
    FGrid->SetCell(1, r, FieldNumberText(ReadNumericField(FSettings, SettingsFields[r - 1])));
  FMode->setCurrentIndex(static_cast<int>(FSettings.VolumeMismatchMode));
  FCurrency->setText(QString::fromStdString(FSettings.CurrencySymbol));
  FOversize->setChecked(FSettings.AllowOversizeBoxes);
  FLimitLayers->setChecked(FSettings.LimitLayersToStrength);
  FMethod->setCurrentIndex(static_cast<int>(FSettings.PalletMethod));
  ShowPreset();
}

bool TSettingsForm::Edit(QWidget* Parent, TOptimizationSettings& Settings, IUserDialogs& Dialogs) {
  TSettingsForm form(Parent, Settings, Dialogs);
  if (form.exec() != QDialog::Accepted) return false;
  Settings = form.FSettings;
  return true;
}

void TSettingsForm::ApplyClick() {
  FGrid->CommitEditor();
  const bool applied = RunOrShowError(
      FDialogs, this,
      [&] {
        TOptimizationSettings s = FSettings;
        for (int i = 0; i < SettingsFieldCount; ++i) {
          const TSettingsField& field = SettingsFields[i];
          const std::string text = FGrid->Cell(1, i + 1).toStdString();
          double value = 0;
          if (!TryParseNumber(text, value)) throw TypedValueError(field, text);
          WriteNumericField(s, field, value);
        }
        // No selection (a mode the list does not know) keeps the mode as it was.
        if (FMode->currentIndex() >= 0)
          s.VolumeMismatchMode = static_cast<TVolumeMismatchMode>(FMode->currentIndex());
        s.CurrencySymbol = FCurrency->text().toStdString();
        s.AllowOversizeBoxes = FOversize->isChecked();
        s.LimitLayersToStrength = FLimitLayers->isChecked();
        if (FMethod->currentIndex() >= 0)
          s.PalletMethod = static_cast<TPalletMethod>(FMethod->currentIndex());
        ValidateSettings(s);
        FSettings = s;
      },
      [this](const Exception& e) { FGrid->FocusField(SettingsFields, e.Place().Field); });
  if (applied) accept();
}

}  // namespace quelmora
