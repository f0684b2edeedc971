#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quelmora {

// The program's texts are Russian; a language file maps each Russian text
// (with "&" removed) to its translation, one key=value line each. The tables
// below are module state of the user-interface thread: call nothing here from
// another thread.

// One entry of the language selector.
struct TPackLanguageInfo {
  std::string FileName;     // with extension, without folder: "Russian.lng"
  std::string DisplayName;  // the file's language= line, else the file name without extension

  bool operator==(const TPackLanguageInfo&) const = default;
};

// Words that formatted multi-line texts carry after their numbers; they are
// translated wherever they follow a space.
inline constexpr std::array<std::string_view, 16> UnitWords = {
    "мм",    "г",     "кг",     "м²",    "м³",     "дм³",     "ящиков",   "пачек",
    "слоев", "слоёв", "в слое", "всего", "высота", "изделий", "экономия", "отличие от ЛУМАР",
};

// The folder with the *.lng files: "lang" next to the program, then "../lang",
// then "../share/quelmora/lang" (installed layout); the first when none exists.
std::string LanguageFolder();

// Replaces the lookup of LanguageFolder (tests, portable setups); an empty
// Folder restores it.
void OverrideLanguageFolder(const std::string& Folder);

// Full path of settings.ini: under $LOCALAPPDATA when set, otherwise under
// $XDG_DATA_HOME (default ~/.local/share), in Osterlin/quelmora.
std::string SettingsFileName();

// The display name of one language file; the file name without extension
// when it has no language= line or cannot be read.
std::string ReadLanguageDisplayName(const std::string& Path);

// Every *.lng file of LanguageFolder, by file name ignoring the case of
// Latin letters. Empty when the folder is missing.
std::vector<TPackLanguageInfo> ListLanguages();

// Makes FileName (its folder ignored) the current language. Falls back to
// Russian.lng when the file does not exist. False when no file could be read; the current
// table is then empty and Tr returns its keys.
bool LoadLanguage(const std::string& FileName);

// Makes the language file at Path itself the current language, wherever it
// lies; no fallback. False when it cannot be read (the current table is then
// empty, as with LoadLanguage).
bool LoadLanguageFrom(const std::string& Path);

// The language file for a locale name such as "de_DE.UTF-8"; Russian.lng for
// any language without a file of its own.
std::string LanguageFileForLocale(std::string_view LocaleName);

// LanguageFileForLocale of the user's locale (LC_ALL, LC_MESSAGES, LANG).
std::string DefaultLanguageFile();

// Loads the language saved in settings.ini, else the locale's, else Russian;
// returns the file now current.
std::string InitLanguage();

// Remembers FileName (its folder ignored) in settings.ini, keeping every other
// line. Raises TErrorKind::FileCreate or TErrorKind::FileReadWrite when the file cannot be written.
void SaveLanguageChoice(const std::string& FileName);

// The text of settings.ini; empty when there is none or it cannot be read.
std::string ReadSettingsText();

// Rewrites settings.ini with Change of its text (empty when there is none),
// creating its folder. Raises as SaveLanguageChoice.
void UpdateSettingsText(const std::function<std::string(const std::string&)>& Change);

// The language saved in settings.ini; empty when there is none.
std::string SavedLanguageChoice();

std::string CurrentLanguageFile();

// The translation of Text (a catalogue text, "&" ignored) in the current
// language; unknown texts come back without their "&" characters. Only keys
// are looked up: a text already translated is not recognised, so a change of
// language must start again from the keys.
std::string Tr(std::string_view Text);

// Whether the current language has a translation of Text as a whole.
bool HasTranslation(std::string_view Text);

// How a language counts: which plural forms its words take.
enum class TPluralRule { Slavic, Germanic };

// The written conventions of the current language: Russian and German write
// dates day first and a decimal comma, English the ISO date and a point;
// any other file the ISO date, a point and one/other plurals, under the
// locale its language maps to ("C" for a file no locale maps to).
struct TLanguageConventions {
  std::string LocaleName = "ru_RU";  // "ru_RU", "en_US", "de_DE", ...
  std::string DecimalSeparator = ",";
  std::string DateTimeFormat = "dd.MM.yyyy HH:mm";  // QDateTime pattern
  TPluralRule PluralRule = TPluralRule::Slavic;
};

TLanguageConventions LanguageConventions();

// The form of a Russian plural word (any form the catalogue writes after a
// count) that goes with N in the current language: the file's line
// "word[one]=", "word[few]=", "word[many]=" or "word[other]=", where word is
// the form for 5 (изделий, ящиков...); else, in a language counted like
// Russian, the translation of the Russian form for N; else the word's plain
// translation.
std::string TrPluralWord(std::string_view Word, int64_t N);

// Translates a multi-line template line by line: a line that is no key is
// translated by the part before its first colon, and the unit words are
// translated where they stand as words after a space. Lines are joined with
// CR LF; trailing blanks and line breaks are dropped. Feed it templates only,
// never text with values put in: a product name such as "Сахар 5 кг" would
// lose its unit to the translation (FormatTr fills the values in afterwards).
std::string TrMultiline(std::string_view Text);

}  // namespace quelmora
