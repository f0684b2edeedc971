#include "ui/EditTakeOver.h"

#include <utility>

#include "model/Errors.h"
#include "ui/ParametersPanel.h"
#include "ui/ProductTableModel.h"

namespace quelmora {

bool TakeOverGridRow(const TProductTableModel& Grid, int Row, TProjectData& Project) {
  if (Row < 0 || Row >= static_cast<int>(Project.Products.size())) return false;
  TProduct product;
  if (!Grid.ReadRow(Row, product, true) || product == Project.Products[Row]) return false;
  Project.Products[Row] = std::move(product);
  return true;
}

bool TakeOverParameters(const TParametersPanel& Parameters, TProjectData& Project) {
  TOptimizationSettings settings = Project.Settings;
  TCriterionKind criterion = Project.OptimizationCriterion;
  try {
    Parameters.Collect(settings, criterion);
  } catch (const Exception&) {
    return false;
  }
  if (settings == Project.Settings && criterion == Project.OptimizationCriterion) return false;
  Project.Settings = settings;
  Project.OptimizationCriterion = criterion;
  return true;
}

bool TakeOverQuietly(const TProductTableModel& Grid, const TParametersPanel& Parameters,
                     TProjectData& Project) {
  TProjectData project = Project;
  try {
    Parameters.Collect(project.Settings, project.OptimizationCriterion);
    project.Products = Grid.TakeOver(-1, nullptr);
  } catch (const Exception&) {
    return false;
  }
  Project = std::move(project);
  return true;
}

}  // namespace quelmora
