#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calc/PalletFigures.h"
#include "l10n/LocalFormat.h"
#include "model/OptimizationModel.h"
#include "report/PalletPreview.h"

namespace quelmora {

// What the result area of the main window shows, as plain texts and index
// lists, so the window only has to put them into its controls.

// Names that are both decimal 64-bit integers compare as numbers and come
// before all other names; those by UTF-16 code units with a-z taken as A-Z.
// A strict weak order. Negative, zero or positive.
int NaturalCompare(std::string_view A, std::string_view B);

// The unified group, or Index + 100000 for a solution without one.
int64_t SolutionBoxKey(const TOptimizationResult& Result, size_t Index);

// One representative per box key (the first solution having it), ordered by
// group and then by box length.
std::vector<int> UnifiedBoxRepresentatives(const TOptimizationResult& Result);

// The solutions of group Group, ordered by product name and then by Id.
std::vector<int> SolutionsOfGroup(const TProjectData& Project, const TOptimizationResult& Result,
                                  int32_t Group);

// The project's name of ProductId, or the Id itself when the product is gone.
std::string SolutionProductName(const TProjectData& Project, int32_t ProductId);

// The translated lines and texts; numbers with the separator of Numbers.
std::string UnifiedBoxLine(const TNumberFormat& Numbers, const TOptimizationResult& Result,
                           int Representative);
std::string ProductLine(const TNumberFormat& Numbers, const TProjectData& Project,
                        const TOptimizationSolution& Solution);
std::string CompletionStatus(const TNumberFormat& Numbers, size_t ProductCount, int BoxCount);

// The proposed packaging, followed by the comparison with the built-in
// reference data when it knows the product. Lines joined with CR LF.
std::string OptimalDetailsText(const TNumberFormat& Numbers, const TProjectData& Project,
                               const TOptimizationSolution& Solution);
// The product's current pack and box, and the saving against them.
std::string OriginalDetailsText(const TNumberFormat& Numbers, const TProjectData& Project,
                                const TOptimizationSolution& Solution);

// Box on the pallet: a heading and the figures of Layer, translated. Lines
// joined with CR LF.
std::string PalletDetailsText(const TNumberFormat& Numbers, const TBoxVariant& Box,
                              const TPalletLayer& Layer, const TPalletSetup& Pallet);

// PalletStrengthLines under a heading, translated: none while the check is
// off or for a box without a size.
std::vector<TStrengthLine> StrengthDetailLines(const TNumberFormat& Numbers,
                                               const TOptimizationSettings& Settings,
                                               const TBoxVariant& Box);

}  // namespace quelmora
