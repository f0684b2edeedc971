#include "ui/ParametersPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "l10n/TranslateControl.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "model/Validation.h"
#include "ui/MainCommands.h"
#include "ui/ProductGrid.h"
#include "ui/SettingsForm.h"
#include "ui/UiText.h"

namespace quelmora {

namespace {

constexpr std::array<const char*, 4> CriterionTexts = {SCriterionCostPerVolume, SCriterionBoxCount,
                                                       SCriterionPalletFill, SCriterionCombined};

}  // namespace

TParametersPanel::TParametersPanel(QWidget* Parent, const std::function<void(int Code)>& RunCommand)
    : QWidget(Parent) {
  setObjectName(QStringLiteral("FParameters"));
  FillWith(this, Qt::white);
  setFixedHeight(120);
  for (int i = 0; i < QuickSettingsFieldCount; ++i) {
    const TSettingsField& field = SettingsFields[QuickSettingsFields[i]];
    auto* caption = new QLabel(this);
    SetKeyedText(caption, std::string(field.Caption).c_str());
    caption->setGeometry(12 + 174 * i, 8, 166, 40);
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    SetKeyedTip(caption, std::string(field.Help).c_str());
    FQuick[i] = new QLineEdit(this);
    FQuick[i]->setObjectName(QStringLiteral("FQuick%1").arg(i));
    FQuick[i]->setGeometry(12 + 174 * i, 48, 156, 28);
    SetKeyedTip(FQuick[i], std::string(field.Help).c_str());
    connect(FQuick[i], &QLineEdit::textChanged, this, [this] { emit Changed(); });
    connect(FQuick[i], &QLineEdit::editingFinished, this, [this] { emit EditFinished(); });
  }
  FCriterion = new QComboBox(this);
  FCriterion->setObjectName(QStringLiteral("FCriterion"));
  FCriterion->setGeometry(12, 86, 248, 28);
  SetKeyedTip(FCriterion, SCriterionHelp);
  for (const char* text : CriterionTexts)
    AddKeyedItem(FCriterion, text);
  connect(FCriterion, &QComboBox::currentIndexChanged, this, [this] {
    emit Changed();
    emit EditFinished();
  });
  QPushButton* allParameters =
      AddCommandButton(this, SAllParameters, 280, 145, cmdAllParameters, RunCommand);
  allParameters->move(280, 82);
  FSort = new QCheckBox(this);
  SetKeyedText(FSort, SListSortedByName);
  FSort->setObjectName(QStringLiteral("FSort"));
  FSort->setGeometry(450, 84, 220, 30);
  SetKeyedTip(FSort, SSortHelp);
  FSort->setChecked(true);
  FSort->setEnabled(false);
  FFlow.Add({FCriterion, allParameters, FSort}, 20);
}

void TParametersPanel::ShowSettings(const TOptimizationSettings& Settings,
                                    TCriterionKind Criterion) {
  const std::string separator = GridDecimalSeparator();
  for (int i = 0; i < QuickSettingsFieldCount; ++i)
    FQuick[i]->setText(
        Utf8(FormatGridNumber(GetSettingsField(Settings, QuickSettingsFields[i]), separator)));
  FCriterion->setCurrentIndex(static_cast<int>(Criterion));
  FSort->setChecked(true);
}

void TParametersPanel::Collect(TOptimizationSettings& Settings, TCriterionKind& Criterion) const {
  TOptimizationSettings settings = Settings;
  for (int i = 0; i < QuickSettingsFieldCount; ++i) {
    const int index = QuickSettingsFields[i];
    const std::string text = FQuick[i]->text().toStdString();
    if (ShowsStoredNumber(text, GetSettingsField(settings, index))) continue;
    double value = 0;
    if (!TryParseNumber(text, value)) throw TypedValueError(SettingsFields[index], text);
    SetSettingsField(settings, index, value);
  }
  settings.SortBoxes = FSort->isChecked();
  ValidateSettings(settings);
  Settings = settings;
  Criterion = static_cast<TCriterionKind>(std::max(FCriterion->currentIndex(), 0));
}

void TParametersPanel::ApplyTexts() {
  const int criterion = FCriterion->currentIndex();
  {
    const QSignalBlocker quiet(FCriterion);
    FCriterion->clear();
    for (const char* text : CriterionTexts)
      AddKeyedItem(FCriterion, text);
    FCriterion->setCurrentIndex(criterion);
  }
  FFlow.Flow();
}

}  // namespace quelmora
