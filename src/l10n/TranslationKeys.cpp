#include "l10n/TranslationKeys.h"

#include <algorithm>
#include <functional>
#include <set>

#include "l10n/Localization.h"
#include "l10n/PluralWords.h"
#include "model/ErrorTexts.h"
#include "model/ProductFields.h"
#include "model/SettingsFields.h"

namespace quelmora {

namespace {

// The keys IsCatalogueKey knows, built on first use.
std::set<std::string, std::less<>>& KnownKeys() {
  static std::set<std::string, std::less<>> keys = [] {
    const std::vector<std::string> catalogue = CatalogueTranslationKeys();
    return std::set<std::string, std::less<>>(catalogue.begin(), catalogue.end());
  }();
  return keys;
}

std::string WithoutAmpersands(std::string_view text) {
  std::string key;
  for (char c : text)
    if (c != '&') key += c;
  return key;
}

}  // namespace

std::vector<std::string> LineKeys(std::string_view Text) {
  std::vector<std::string> keys;
  size_t start = 0;
  while (start <= Text.size()) {
    size_t stop = Text.find_first_of("\r\n", start);
    if (stop == std::string_view::npos) stop = Text.size();
    const std::string_view line = Text.substr(start, stop - start);
    if (line == "СРАВНЕНИЕ С ЛУМАР (tea.DB)") {
      keys.emplace_back("СРАВНЕНИЕ С ЛУМАР");
    } else if (!line.empty()) {
      const size_t colon = line.find(':');
      const std::string_view head = colon == std::string_view::npos ? line : line.substr(0, colon);
      if (!head.empty() && head.find('%') == std::string_view::npos)
        keys.push_back(WithoutAmpersands(head));
    }
    if (stop == Text.size()) break;
    start = stop + 1;
  }
  return keys;
}

std::vector<std::string> CatalogueTranslationKeys() {
  std::vector<std::string> keys;
  for (const char* text : CatalogueTexts) {
    const std::string_view t(text);
    if (t.find_first_of("\r\n") == std::string_view::npos) {
      keys.push_back(WithoutAmpersands(t));
    } else {
      for (std::string& key : LineKeys(t))
        keys.push_back(std::move(key));
    }
  }
  for (const TSettingsField& field : SettingsFields) {
    keys.push_back(WithoutAmpersands(field.Caption));
    keys.push_back(WithoutAmpersands(field.Help));
  }
  for (const TProductField& field : ProductFields) {
    keys.push_back(WithoutAmpersands(field.Caption));
    keys.push_back(WithoutAmpersands(field.Help));
  }
  for (std::string_view word : UnitWords)
    keys.emplace_back(word);
  for (const char* text : ErrorCatalogueTexts)
    keys.push_back(WithoutAmpersands(text));
  for (const TPluralWord& word : PluralWords)
    for (std::string_view form : {word.One, word.Few, word.Many})
      keys.emplace_back(form);
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

bool IsCatalogueKey(std::string_view Text) {
  if (Text.find('&') == std::string_view::npos) return KnownKeys().contains(Text);
  return KnownKeys().contains(WithoutAmpersands(Text));
}

void RegisterCatalogueKeys(const std::vector<std::string>& Keys) {
  for (const std::string& key : Keys)
    KnownKeys().insert(WithoutAmpersands(key));
}

}  // namespace quelmora
