#pragma once

#include <array>

namespace quelmora {

// Catalogue texts of failures that only the program's own layers raise, and
// of the detail line that says what was found. The failures came in English
// and stay so in the catalogue: logs and earlier messages show them as they
// are. The language files translate them where they are shown.

// Arithmetic.
inline constexpr const char* EDivisionByZero = "Floating point division by zero";
inline constexpr const char* EInvalidFloatOperation = "Invalid floating point operation";
inline constexpr const char* EFloatOverflow = "Floating point overflow";

// Fields and products.
inline constexpr const char* EValueOfField = "%s: %s";
inline constexpr const char* EDuplicateProductId = "Duplicate Product.Id";
inline constexpr const char* ESettingsField = "Settings field";
inline constexpr const char* EProductField = "Product field";
inline constexpr const char* EIntegerExpected = "Integer expected";
inline constexpr const char* ECancelled = "Cancelled";
inline constexpr const char* EProductIdExhausted = "Product Id";
inline constexpr const char* EProductIdOutOfRange = "Product Id out of range";

// The workspace's own order of calls.
inline constexpr const char* ENothingToUndo = "Nothing to undo";
inline constexpr const char* ENothingToRedo = "Nothing to redo";
inline constexpr const char* ECalculationRunning = "A calculation is already running";
inline constexpr const char* ENoCalculationEnded = "No calculation has ended";

// The calculation.
inline constexpr const char* EResolveVolumeMismatch =
    "Resolve VolumeMismatchMode.Ask before calling optimizer";
inline constexpr const char* ESharedBoxWithoutCandidate =
    "Internal error: the plan puts product %s into the shared box "
    "%.4f x %.4f x %.4f mm, where none of its candidates builds";
inline constexpr const char* ENoSharedBoxFits = "No shared box fits product %s";
inline constexpr const char* EInvalidPackIndex = "Invalid generated pack index %d of %d";
inline constexpr const char* EBadPack = "Bad pack: %.15g %.15g %.15g orientation %d";

// Files.
inline constexpr const char* ECannotOpenFileBecause = "Cannot open file \"%s\": %s";
inline constexpr const char* ECannotReadFileBecause = "Cannot read file \"%s\": %s";
inline constexpr const char* ECannotCreateFileBecause = "Cannot create file \"%s\": %s";
inline constexpr const char* ECannotWriteFileBecause = "Cannot write file \"%s\": %s";
inline constexpr const char* ECannotReplaceFileBecause = "Cannot replace file \"%s\": %s";
inline constexpr const char* ECannotReplaceIrregularFile =
    "Cannot replace file \"%s\": not a regular file";
inline constexpr const char* ECannotOpenIrregularFile =
    "Cannot open file \"%s\": not a regular file";
inline constexpr const char* EFileLargerThan = "Cannot open file \"%s\": larger than %llu %s";
inline constexpr const char* EMegabytes = "MB";
inline constexpr const char* EBytes = "bytes";
inline constexpr const char* EFileNotUtf8 = "File \"%s\" is not valid UTF-8 (byte %zu)";
inline constexpr const char* ETextNotUtf8 = "Text is not valid UTF-8";
inline constexpr const char* ECannotCreateFolder = "Cannot create folder \"%s\": %s";
inline constexpr const char* ECannotReadLargeFile = "Cannot read file \"%s\": larger than %d MB";
inline constexpr const char* ECannotReadFile = "Cannot read file \"%s\"";
inline constexpr const char* EStrengthsMismatch = "Strength records do not match the solutions";
inline constexpr const char* EEmptyPage = "Cannot encode an empty page";
inline constexpr const char* EJpegFailed = "JPEG encoding failed: %s";

// CSV.
inline constexpr const char* EExpectedFields = "Expected %zu fields";
inline constexpr const char* EInvalidCsvQuoting = "Invalid CSV quoting";
inline constexpr const char* EUnclosedCsvQuote = "Unclosed CSV quote";

// JSON: "<what> at byte N".
inline constexpr const char* EJsonAtByte = "%s at byte %zu";
inline constexpr const char* EJsonMemberName = "Expected a member name";
inline constexpr const char* EJsonTextAfterValue = "Unexpected text after the value";
inline constexpr const char* EJsonExpectedChar = "Expected '%c'";
inline constexpr const char* EJsonEndOfText = "Unexpected end of text";
inline constexpr const char* EJsonInvalidLiteral = "Invalid literal";
inline constexpr const char* EJsonTooDeep = "Nesting too deep";
inline constexpr const char* EJsonIncompleteEscape = "Incomplete \\u escape";
inline constexpr const char* EJsonInvalidUEscape = "Invalid \\u escape";
inline constexpr const char* EJsonUnterminatedString = "Unterminated string";
inline constexpr const char* EJsonControlCharacter = "Control character in string";
inline constexpr const char* EJsonInvalidUtf8 = "Invalid UTF-8 in string";
inline constexpr const char* EJsonInvalidEscape = "Invalid escape";
inline constexpr const char* EJsonUnpairedSurrogate = "Unpaired surrogate escape";
inline constexpr const char* EJsonInvalidValue = "Invalid value";
inline constexpr const char* EJsonInvalidNumber = "Invalid number";

// The detail line: its parts, joined by "; ".
inline constexpr const char* EDetailFile = "файл «%s»";
inline constexpr const char* EDetailMember = "элемент %s";
inline constexpr const char* EDetailRowColumn = "строка %d, столбец %d";
inline constexpr const char* EDetailRow = "строка %d";
inline constexpr const char* EDetailByte = "байт %d";
inline constexpr const char* EDetailFieldCount = "в строке %d полей, нужно %d";
inline constexpr const char* EDetailFound = "найдено «%s»";
inline constexpr const char* EDetailFromTo = "допустимо: от %s до %s";
inline constexpr const char* EDetailAboveTo = "допустимо: больше %s и не больше %s";
inline constexpr const char* EDetailFromBelow = "допустимо: не меньше %s и меньше %s";
inline constexpr const char* EDetailAboveBelow = "допустимо: больше %s и меньше %s";
inline constexpr const char* EDetailExpected = "ожидалось: %s";

// Every entry above, so that none can miss its translations.
inline constexpr auto ErrorCatalogueTexts = std::to_array<const char*>({
    EDivisionByZero,
    EInvalidFloatOperation,
    EFloatOverflow,
    EValueOfField,
    EDuplicateProductId,
    ESettingsField,
    EProductField,
    EIntegerExpected,
    ECancelled,
    EProductIdExhausted,
    EProductIdOutOfRange,
    ENothingToUndo,
    ENothingToRedo,
    ECalculationRunning,
    ENoCalculationEnded,
    EResolveVolumeMismatch,
    ESharedBoxWithoutCandidate,
    ENoSharedBoxFits,
    EInvalidPackIndex,
    EBadPack,
    ECannotOpenFileBecause,
    ECannotReadFileBecause,
    ECannotCreateFileBecause,
    ECannotWriteFileBecause,
    ECannotReplaceFileBecause,
    ECannotReplaceIrregularFile,
    ECannotOpenIrregularFile,
    EFileLargerThan,
    EMegabytes,
    EBytes,
    EFileNotUtf8,
    ETextNotUtf8,
    ECannotCreateFolder,
    ECannotReadLargeFile,
    ECannotReadFile,
    EStrengthsMismatch,
    EEmptyPage,
    EJpegFailed,
    EExpectedFields,
    EInvalidCsvQuoting,
    EUnclosedCsvQuote,
    EJsonAtByte,
    EJsonMemberName,
    EJsonTextAfterValue,
    EJsonExpectedChar,
    EJsonEndOfText,
    EJsonInvalidLiteral,
    EJsonTooDeep,
    EJsonIncompleteEscape,
    EJsonInvalidUEscape,
    EJsonUnterminatedString,
    EJsonControlCharacter,
    EJsonInvalidUtf8,
    EJsonInvalidEscape,
    EJsonUnpairedSurrogate,
    EJsonInvalidValue,
    EJsonInvalidNumber,
    EDetailFile,
    EDetailMember,
    EDetailRowColumn,
    EDetailRow,
    EDetailByte,
    EDetailFieldCount,
    EDetailFound,
    EDetailFromTo,
    EDetailAboveTo,
    EDetailFromBelow,
    EDetailAboveBelow,
    EDetailExpected,
});

}  // namespace quelmora
