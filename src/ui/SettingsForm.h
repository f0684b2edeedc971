#pragma once

#include <QPoint>

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include <QDialog>
#include <QString>
#include <QTableWidget>

#include "model/Errors.h"
#include "model/FieldDescriptor.h"
#include "model/OptimizationModel.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace quelmora {

class IUserDialogs;

// A value cell's text: the shortest general form with up to 15 significant
// digits and the user's decimal separator (a point where the locale's could
// not be read back).
QString FieldNumberText(double Value);

// A typed value that is no number: the field's caption as the message,
// placed in the field, with the text found and the values it allows.
template <class TRecord>
Exception TypedValueError(const TFieldDescriptor<TRecord>& Field, std::string Found) {
  return Exception(TErrorKind::NotANumber, "%s", {TFormatArg::Key(Field.Caption)})
      .InField(std::string(Field.Key))
      .WithFound(std::move(Found))
      .WithAllowed(Field.Bounds);
}

// The dialogs' two-column grid: row 0 and column 0 are fixed (captions), the
// value cells of column 1 are edited in place with the editor kept open on
// the current cell. Enter in an editor presses the dialog's Apply, Esc its
// Cancel, as they would outside the grid.
class TFieldGrid final : public QTableWidget {
  Q_OBJECT

 public:
  TFieldGrid(QWidget* Parent, int RowCount, int CaptionWidth, int ValueWidth, int RowHeight);

  // Texts by (column, row), column 0 the captions, column 1 the values.
  QString Cell(int Column, int Row) const;
  void SetCell(int Column, int Row, const QString& Text);

  // The caption of Row and the tool tip of its two cells, translated.
  void SetRowCaption(int Row, std::string_view Caption, std::string_view Help);

  // Stores what the open editor holds, so a click on Apply never loses typing.
  void CommitEditor();

  // The cursor on the value of the field keyed Key (Fields shown from row 1
  // on) and the focus on the grid, where the user has to look; nothing when
  // no field has that key.
  template <class TFields>
  void FocusField(const TFields& Fields, std::string_view Key) {
    for (size_t i = 0; i < std::size(Fields); ++i)
      if (!Key.empty() && Fields[i].Key == Key) return FocusRow(static_cast<int>(i) + 1);
  }
  void FocusRow(int Row);

  // Sent by an open editor for Enter and Esc.
  void EmitEnter() { emit EnterPressed(); }
  void EmitEscape() { emit EscapePressed(); }

 signals:
  void EnterPressed();
  void EscapePressed();

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void OpenCurrentEditor();
};

// The dialog of every calculation setting of the project. Edit is the way in
// for the program; the constructor and ApplyClick let tests drive it without
// a modal loop.
class TSettingsForm final : public QDialog {
  Q_OBJECT

 public:
  TSettingsForm(QWidget* Parent, const TOptimizationSettings& Settings, IUserDialogs& Dialogs);

  // True when the user applied valid values, which then replace Settings.
  static bool Edit(QWidget* Parent, TOptimizationSettings& Settings, IUserDialogs& Dialogs);

  // Reads and checks every control; on success keeps the values and closes
  // with the OK result, else shows the error and stays open.
  void ApplyClick();

  const TOptimizationSettings& Settings() const { return FSettings; }
  TFieldGrid* Grid() const { return FGrid; }
  QComboBox* ModeBox() const { return FMode; }
  QLineEdit* CurrencyEdit() const { return FCurrency; }
  QCheckBox* OversizeBox() const { return FOversize; }
  QCheckBox* LimitLayersBox() const { return FLimitLayers; }
  // The pallet size presets, "another size" last, and the loading method.
  QComboBox* PresetBox() const { return FPreset; }
  QComboBox* MethodBox() const { return FMethod; }
  QPushButton* ApplyButton() const { return FApply; }
  QPushButton* CancelButton() const { return FCancel; }

 private:
  void ShowSettings();
  // A preset writes its length and width into the grid; the list follows
  // the typed sizes, showing "another size" for one it does not hold.
  void FillPreset(int Index);
  void ShowPreset();

  IUserDialogs& FDialogs;
  TOptimizationSettings FSettings;
  TFieldGrid* FGrid = nullptr;
  QComboBox* FMode = nullptr;
  QLineEdit* FCurrency = nullptr;
  QCheckBox* FOversize = nullptr;
  QCheckBox* FLimitLayers = nullptr;
  QComboBox* FPreset = nullptr;
  QComboBox* FMethod = nullptr;
  QPushButton* FApply = nullptr;
  QPushButton* FCancel = nullptr;
};

// The Apply (default button, also Enter in the grid) and Cancel (also Esc)
// buttons of a field dialog, at the given places of its bottom panel.
void AddApplyAndCancel(QDialog& Dialog, TFieldGrid& Grid, QWidget* Panel, QPoint Apply,
                       QPoint Cancel, const std::function<void()>& OnApply,
                       QPushButton*& ApplyButton, QPushButton*& CancelButton);

// The header cell and the dialog's own texts, translated; Title is also the
// window caption.
void ShowDialogTexts(QDialog& Dialog, TFieldGrid& Grid, const char* Title);

// ShowDialogTexts, and row r (from 1) captioned by entry r - 1 of Fields.
template <class TRecord, size_t N>
void ShowCaptions(QDialog& Dialog, TFieldGrid& Grid, const char* Title,
                  const std::array<TFieldDescriptor<TRecord>, N>& Fields) {
  for (size_t i = 0; i < N; ++i)
    Grid.SetRowCaption(static_cast<int>(i) + 1, Fields[i].Caption, Fields[i].Help);
  ShowDialogTexts(Dialog, Grid, Title);
}

// Window chrome both dialogs share: font, fixed size, centred on the screen.
void SetUpDialogFrame(QDialog& Dialog, const char* Caption, int Width, int Height);

}  // namespace quelmora
