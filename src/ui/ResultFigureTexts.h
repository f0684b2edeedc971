#pragma once

#include <string>
#include <vector>

#include "calc/ResultLimits.h"
#include "calc/ResultRows.h"
#include "l10n/LocalFormat.h"
#include "model/OptimizationModel.h"

namespace quelmora {

// The texts of the results table and of the figures before and after,
// translated; numbers with the separator of Numbers.

// "limited by: 36 packs per box", several limits joined; empty for none.
std::string LimitsText(const TNumberFormat& Numbers, const std::vector<TBindingLimit>& Limits);

// Cost per unit, packs per pallet and cost per m³, current → proposed, and
// the limits that decided the proposal. Lines joined with CR LF.
std::string BeforeAfterText(const TNumberFormat& Numbers, const TProjectData& Project,
                            const TOptimizationSolution& Solution);

// The header of a results table column.
std::string ResultColumnCaption(TResultColumn Column);
// What a cell of the results table shows.
std::string ResultCellText(const TNumberFormat& Numbers, const TResultRow& Row,
                           TResultColumn Column);

}  // namespace quelmora
