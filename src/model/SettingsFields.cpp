#include "model/SettingsFields.h"

#include "model/ErrorTexts.h"
#include "model/Errors.h"

namespace quelmora {

const TSettingsField& SettingsFieldAt(int Index) {
  if (Index < 0 || Index >= SettingsFieldCount)
    throw Exception(TErrorKind::OutOfRange, SSettingsField);
  return SettingsFields[Index];
}

double GetSettingsField(const TOptimizationSettings& settings, int index) {
  return ReadNumericField(settings, SettingsFieldAt(index));
}

void SetSettingsField(TOptimizationSettings& settings, int index, double value) {
  WriteNumericField(settings, SettingsFieldAt(index), value);
}

}  // namespace quelmora
