#pragma once

#include <array>

namespace quelmora {

// Catalogue texts of failures that only the program's own layers raise, and
// of the detail line that says what was found. The failures came in English
// and stay so in the catalogue: logs and earlier messages show them as they
// are. The language files translate them where they are shown.

// Arithmetic.
inline constexpr const char* SDivisionByZero = "Floating point division by zero";
inline constexpr const char* SInvalidFloatOperation = "Invalid floating point operation";
inline constexpr const char* SFloatOverflow = "Floating point overflow";

// Fields and products.
inline constexpr const char* SValueOfField = "%s: %s";
inline constexpr const char* SDuplicateProductId = "Duplicate Product.Id";
inline constexpr const char* SSettingsField = "Settings field";
inline constexpr const char* SProductField = "Product field";
inline constexpr const char* SIntegerExpected = "Integer expected";
inline constexpr const char* SCancelled = "Cancelled";
inline constexpr const char* SProductIdExhausted = "Product Id";
inline constexpr const char* SProductIdOutOfRange = "Product Id out of range";

// The workspace's own order of calls.
inline constexpr const char* SNothingToUndo = "Nothing to undo";
inline constexpr const char* SNothingToRedo = "Nothing to redo";
inline constexpr const char* SCalculationRunning = "A calculation is already running";
inline constexpr const char* SNoCalculationEnded = "No calculation has ended";

// The calculation.
inline constexpr const char* SResolveVolumeMismatch =
    "Resolve VolumeMismatchMode.Ask before calling optimizer";
inline constexpr const char* SSharedBoxWithoutCandidate =
    "Internal error: the plan puts product %s into the shared box "
    "%.4f x %.4f x %.4f mm, where none of its candidates builds";
inline constexpr const char* SNoSharedBoxFits = "No shared box fits product %s";
inline constexpr const char* SInvalidPackIndex = "Invalid generated pack index %d of %d";
inline constexpr const char* SBadPack = "Bad pack: %.15g %.15g %.15g orientation %d";

// Files.
inline constexpr const char* SCannotOpenFileBecause = "Cannot open file \"%s\": %s";
inline constexpr const char* SCannotReadFileBecause = "Cannot read file \"%s\": %s";
inline constexpr const char* SCannotCreateFileBecause = "Cannot create file \"%s\": %s";
inline constexpr const char* SCannotWriteFileBecause = "Cannot write file \"%s\": %s";
inline constexpr const char* SCannotReplaceFileBecause = "Cannot replace file \"%s\": %s";
inline constexpr const char* SCannotReplaceIrregularFile =
    "Cannot replace file \"%s\": not a regular file";
inline constexpr const char* SCannotOpenIrregularFile =
    "Cannot open file \"%s\": not a regular file";
inline constexpr const char* SFileLargerThan = "Cannot open file \"%s\": larger than %llu %s";
inline constexpr const char* SMegabytes = "MB";
inline constexpr const char* SBytes = "bytes";
inline constexpr const char* SFileNotUtf8 = "File \"%s\" is not valid UTF-8 (byte %zu)";
inline constexpr const char* STextNotUtf8 = "Text is not valid UTF-8";
inline constexpr const char* SCannotCreateFolder = "Cannot create folder \"%s\": %s";
inline constexpr const char* SCannotReadLargeFile = "Cannot read file \"%s\": larger than %d MB";
inline constexpr const char* SCannotReadFile = "Cannot read file \"%s\"";
inline constexpr const char* SStrengthsMismatch = "Strength records do not match the solutions";
inline constexpr const char* SEmptyPage = "Cannot encode an empty page";
inline constexpr const char* SJpegFailed = "JPEG encoding failed: %s";

// CSV.
inline constexpr const char* SExpectedFields = "Expected %zu fields";
inline constexpr const char* SInvalidCsvQuoting = "Invalid CSV quoting";
inline constexpr const char* SUnclosedCsvQuote = "Unclosed CSV quote";

// JSON: "<what> at byte N".
inline constexpr const char* SJsonAtByte = "%s at byte %zu";
inline constexpr const char* SJsonMemberName = "Expected a member name";
inline constexpr const char* SJsonTextAfterValue = "Unexpected text after the value";
inline constexpr const char* SJsonExpectedChar = "Expected '%c'";
inline constexpr const char* SJsonEndOfText = "Unexpected end of text";
inline constexpr const char* SJsonInvalidLiteral = "Invalid literal";
inline constexpr const char* SJsonTooDeep = "Nesting too deep";
inline constexpr const char* SJsonIncompleteEscape = "Incomplete \\u escape";
inline constexpr const char* SJsonInvalidUEscape = "Invalid \\u escape";
inline constexpr const char* SJsonUnterminatedString = "Unterminated string";
inline constexpr const char* SJsonControlCharacter = "Control character in string";
inline constexpr const char* SJsonInvalidUtf8 = "Invalid UTF-8 in string";
inline constexpr const char* SJsonInvalidEscape = "Invalid escape";
inline constexpr const char* SJsonUnpairedSurrogate = "Unpaired surrogate escape";
inline constexpr const char* SJsonInvalidValue = "Invalid value";
inline constexpr const char* SJsonInvalidNumber = "Invalid number";

// The detail line: its parts, joined by "; ".
inline constexpr const char* SDetailFile = "файл «%s»";
inline constexpr const char* SDetailMember = "элемент %s";
inline constexpr const char* SDetailRowColumn = "строка %d, столбец %d";
inline constexpr const char* SDetailRow = "строка %d";
inline constexpr const char* SDetailByte = "байт %d";
inline constexpr const char* SDetailFieldCount = "в строке %d полей, нужно %d";
inline constexpr const char* SDetailFound = "найдено «%s»";
inline constexpr const char* SDetailFromTo = "допустимо: от %s до %s";
inline constexpr const char* SDetailAboveTo = "допустимо: больше %s и не больше %s";
inline constexpr const char* SDetailFromBelow = "допустимо: не меньше %s и меньше %s";
inline constexpr const char* SDetailAboveBelow = "допустимо: больше %s и меньше %s";
inline constexpr const char* SDetailExpected = "ожидалось: %s";

// Every entry above, so that none can miss its translations.
inline constexpr auto ErrorCatalogueTexts = std::to_array<const char*>({
    SDivisionByZero,
    SInvalidFloatOperation,
    SFloatOverflow,
    SValueOfField,
    SDuplicateProductId,
    SSettingsField,
    SProductField,
    SIntegerExpected,
    SCancelled,
    SProductIdExhausted,
    SProductIdOutOfRange,
    SNothingToUndo,
    SNothingToRedo,
    SCalculationRunning,
    SNoCalculationEnded,
    SResolveVolumeMismatch,
    SSharedBoxWithoutCandidate,
    SNoSharedBoxFits,
    SInvalidPackIndex,
    SBadPack,
    SCannotOpenFileBecause,
    SCannotReadFileBecause,
    SCannotCreateFileBecause,
    SCannotWriteFileBecause,
    SCannotReplaceFileBecause,
    SCannotReplaceIrregularFile,
    SCannotOpenIrregularFile,
    SFileLargerThan,
    SMegabytes,
    SBytes,
    SFileNotUtf8,
    STextNotUtf8,
    SCannotCreateFolder,
    SCannotReadLargeFile,
    SCannotReadFile,
    SStrengthsMismatch,
    SEmptyPage,
    SJpegFailed,
    SExpectedFields,
    SInvalidCsvQuoting,
    SUnclosedCsvQuote,
    SJsonAtByte,
    SJsonMemberName,
    SJsonTextAfterValue,
    SJsonExpectedChar,
    SJsonEndOfText,
    SJsonInvalidLiteral,
    SJsonTooDeep,
    SJsonIncompleteEscape,
    SJsonInvalidUEscape,
    SJsonUnterminatedString,
    SJsonControlCharacter,
    SJsonInvalidUtf8,
    SJsonInvalidEscape,
    SJsonUnpairedSurrogate,
    SJsonInvalidValue,
    SJsonInvalidNumber,
    SDetailFile,
    SDetailMember,
    SDetailRowColumn,
    SDetailRow,
    SDetailByte,
    SDetailFieldCount,
    SDetailFound,
    SDetailFromTo,
    SDetailAboveTo,
    SDetailFromBelow,
    SDetailAboveBelow,
    SDetailExpected,
});

}  // namespace quelmora
