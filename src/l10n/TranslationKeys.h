#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/AppStrings.h"

namespace quelmora {

// Every entry of the message catalogue, in its order. A test compares the
// count with the catalogue so that a new entry cannot miss its translations.
inline constexpr auto CatalogueTexts = std::to_array<const char*>({
    SFileSaved,
    SConfirmDeleteProduct,
    SCancellingBeforeClose,
    SUnifiedBoxItem,
    SPackPreviewTitle,
    SLayoutPreviewTitle,
    SLumarComparison,
    SOptimalDetails,
    SOriginalDetails,
    SSaving,
    SCostIncrease,
    SCriterionCombined,
    SCurrency,
    SAllowOversizeBoxes,
    SEnabledColumn,
    SNewProduct,
    SProductParameters,
    SStageCalculation,
    SStageUnification,
    SCalculationFinished,
    SCalculationSummary,
    SCalculationCancelled,
    SNoFeasibleSolutions,
    SPlanTooLarge,
    SNoMemoryToReadProject,
    SNoMemoryToSaveProject,
    SNoMemoryToImportCsv,
    SNoMemoryToCalculate,
    SNoMemory,
    SDataChanged,
    SInvalidFile,
    SInvalidFileAtByte,
    SUnsupportedProjectVersion,
    SInvalidCsvHeader,
    SCsvRowError,
    SUnifiedBoxes,
    SProductsInSelectedBox,
    SListSortedByName,
    SOptimalVariant,
    SOriginalVariant,
    SFixHighlightedCells,
    SInvalidParameter,
    SAddEnabledProduct,
    SInvalidProductId,
    SCalculationOutOfRange,
    SVolumeMismatchQuestion,
    SVolumeMismatchLabel,
    SUseSpecifiedRange,
    SUseSampleVolume,
    SAskUser,
    SPalletMethodLabel,
    SPalletMethodGrid,
    SPalletMethodBestLayer,
    SPalletPresetLabel,
    SPalletPresetOther,
    SLimitLayersToStrength,
    SCriterionCostPerVolume,
    SCriterionBoxCount,
    SCriterionPalletFill,
    SAppTitle,
    SImportProducts,
    SAdd,
    SEdit,
    SDelete,
    SCalculate,
    SSave,
    SOpen,
    SExport,
    SClose,
    SCancel,
    SAllParameters,
    SApply,
    SReport,
    SPdfReportSaved,
    SReadyToCalculate,
    SBoxSizeInvalid,
    SPositiveNumberExpected,
    SNumberInRangeExpected,
    SBoxStrengthNeedsBoard,
    SBoardLeavesNoInside,
    SProductsAdded,
    SProductOfCount,
    SSameForAllRemaining,
    SEnabledHelp,
    SVolumeMismatchHelp,
    SCurrencyHelp,
    SAllowOversizeHelp,
    SLimitLayersHelp,
    SPalletPresetHelp,
    SPalletMethodHelp,
    SCriterionHelp,
    SSortHelp,
    SResultListsTab,
    SResultTableTab,
    SPacksPerBoxColumn,
    SBoxesPerPalletColumn,
    SCostPerUnitBeforeColumn,
    SCostPerUnitAfterColumn,
    SCostPerM3BeforeColumn,
    SCostPerM3AfterColumn,
    SSavingColumn,
    SBeforeAfterHeading,
    SCostPerUnitChange,
    SPacksPerPalletChange,
    SCostPerM3Change,
    SLimitedBy,
    SLimitPacksPerBox,
    SLimitPacksPerAxis,
    SLimitBoxWeight,
    SLimitBoxHeight,
    SMenuFile,
    SMenuEdit,
    SMenuRun,
    SMenuHelp,
    SNewProject,
    SOpenRecent,
    SSaveAs,
    SQuit,
    SUndo,
    SRedo,
    SAbout,
    SVersionLine,
    SLicenceLine,
    SSampleProject,
    SSaveChangesTo,
    SRecentFileMissing,
});

// The keys TrMultiline looks up for Text once it is formatted: per line the
// part before the first colon, or the whole line when it has neither colon
// nor conversion. Lines led by a conversion ("%s: ...") and empty lines give
// none; the reference heading gives its short form. "&" is removed.
std::vector<std::string> LineKeys(std::string_view Text);

// The keys of the catalogue and the field tables: single-line entries whole
// (they are translated before formatting), multi-line ones by LineKeys, the
// captions and help texts of the settings and product fields, and the unit
// words. Sorted, without repeats.
std::vector<std::string> CatalogueTranslationKeys();

// Whether Text ("&" ignored) is a key of CatalogueTranslationKeys or of the
// keys registered since: a caption on screen that is one can be translated
// again from it.
bool IsCatalogueKey(std::string_view Text);

// Adds keys that live beyond this library (the report's texts, say) to
// those IsCatalogueKey knows.
void RegisterCatalogueKeys(const std::vector<std::string>& Keys);

}  // namespace quelmora
