#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "model/OptimizationModel.h"
#include "model/SettingsFields.h"
#include "ui/WindowParts.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace quelmora {

// The main window's quick parameters, the ranking criterion, the button to
// all parameters and the sort indicator.
class TParametersPanel final : public QWidget {
  Q_OBJECT

 public:
  // RunCommand carries out the All parameters button's command.
  TParametersPanel(QWidget* Parent, const std::function<void(int Code)>& RunCommand);

  void ShowSettings(const TOptimizationSettings& Settings, TCriterionKind Criterion);
  // What the controls hold, over Settings: raises and changes nothing when a
  // quick field is not a number or the settings are not valid.
  void Collect(TOptimizationSettings& Settings, TCriterionKind& Criterion) const;

  // The criterion list in the current language, its selection kept, and the
  // controls moved along where captions grew.
  void ApplyTexts();

 signals:
  void Changed();
  // A quick field was left or confirmed, or another criterion chosen.
  void EditFinished();

 private:
  std::array<QLineEdit*, QuickSettingsFieldCount> FQuick{};
  QComboBox* FCriterion = nullptr;
  QCheckBox* FSort = nullptr;
  TFlowRows FFlow;
};

}  // namespace quelmora
