#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzTargets.h"
#include "Scratch.h"
#include "l10n/LocalFormat.h"
#include "l10n/Localization.h"
#include "l10n/SettingsIni.h"
#include "l10n/TextTemplate.h"
#include "l10n/TranslationKeys.h"
#include "model/Errors.h"
#include "model/Utf8.h"

namespace quelmora::fuzz {

namespace {

void RequireUtf8(const std::string& text, const char* what) {
  if (FindInvalidUtf8(text) != std::string::npos)
    throw TPropertyViolation(std::string(what) + " is not valid UTF-8");
}

// settings.ini is read and rewritten by the same small INI code.
void CheckIniRewrite(std::string_view text) {
  const std::string written = WriteIniValue(text, "Interface", "Language", "English.lng");
  if (ReadIniValue(written, "Interface", "Language") != "English.lng")
    throw TPropertyViolation("a written settings value does not read back");
  const std::string again = WriteIniValue(written, "Interface", "Language", "English.lng");
  if (again != written)
    throw TPropertyViolation("rewriting the same settings value changed the text");
}

}  // namespace

int FuzzLanguageFile(const uint8_t* Data, size_t Size) {
  const std::string_view text(reinterpret_cast<const char*>(Data), Size);
  CheckIniRewrite(text);

  static const std::string folder = ScratchFolder() + "/lang";
  static const std::vector<std::string> keys = CatalogueTranslationKeys();
  static const bool overridden = (OverrideLanguageFolder(folder), true);
  (void)overridden;
  const std::string path = WriteScratchFile("lang/Fuzz.lng", Data, Size);

  (void)ReadLanguageDisplayName(path);
  if (!LoadLanguage("Fuzz.lng")) return 0;
  // The keys the input itself translates, plus a few of the program's own
  // format strings.
  std::vector<std::string> probes(keys.begin(), keys.begin() + std::min<size_t>(keys.size(), 4));
  size_t start = 0;
  while (start < text.size() && probes.size() < 8) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (const size_t eq = line.find('='); eq != std::string_view::npos)
      probes.emplace_back(line.substr(0, eq));
    start = end + 1;
  }
  const TNumberFormat numbers{","};
  std::string lines;
  for (const std::string& key : probes) {
    const std::string translated = Tr(key);
    RequireUtf8(translated, "a translation");
    // Translations are used as format strings with the program's own values.
    RequireUtf8(FormatLocal(numbers, translated, 3, 1e308, "Чай «Ж»", -0.5, 7u),
                "a formatted text");
    // Translated first, then filled in, with plural forms chosen by count.
    RequireUtf8(FormatTr(numbers, key, {1, 2.5, "Чай «Ж»", 5, 21u}), "a filled-in template");
    lines += key + ": 12 мм\n";
  }
  RequireUtf8(TrMultiline(lines), "a translated multi-line text");
  return 0;
}

}  // namespace quelmora::fuzz
