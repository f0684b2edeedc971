#include "l10n/TextTemplate.h"

#include <algorithm>
#include <vector>

#include "l10n/Localization.h"
#include "l10n/PluralWords.h"
#include "l10n/WordChars.h"
#include "model/Utf8.h"

namespace quelmora {

namespace {

// One conversion of a template that takes a value.
struct TConversion {
  size_t End = 0;  // just after the conversion letter
  bool Integer = false;
};

// The conversions that take values, read as FormatArgs reads them: "%%",
// unknown letters and over-wide fields take none.
std::vector<TConversion> Conversions(std::string_view format) {
  static constexpr std::string_view flags = "-+ #0";
  static constexpr std::string_view lengths = "hlLzjt";
  static constexpr std::string_view known = "diuxXocsfFeEgGaA";
  const auto digitsAt = [&](size_t& i) {
    size_t n = 0;
    for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
      ++n;
    return n;
  };
  std::vector<TConversion> found;
  size_t i = 0;
  while (i < format.size()) {
    if (format[i++] != '%') continue;
    while (i < format.size() && flags.find(format[i]) != std::string_view::npos)
      ++i;
    bool tooWide = digitsAt(i) > 3;
    if (i < format.size() && format[i] == '.') tooWide = digitsAt(++i) > 3 || tooWide;
    while (i < format.size() && lengths.find(format[i]) != std::string_view::npos)
      ++i;
    if (i >= format.size()) break;
    const char letter = format[i++];
    if (letter == '%' || tooWide || known.find(letter) == std::string_view::npos) continue;
    found.push_back({i, letter == 'd' || letter == 'i' || letter == 'u'});
  }
  return found;
}

// Whether Word stands in Text at Pos as a whole word (nothing word-like after it).
bool WordAt(std::string_view text, size_t pos, std::string_view word) {
  if (word.empty() || text.substr(pos, word.size()) != word) return false;
  size_t after = pos + word.size();
  char32_t next = 0;
  return after >= text.size() || !DecodeUtf8(text, after, next) || !IsWordCodePoint(next);
}

// The plural word that follows the conversion ending at Pos after one space.
const TPluralWord* PluralWordAfter(std::string_view text, size_t pos, std::string_view& word) {
  if (pos >= text.size() || text[pos] != ' ') return nullptr;
  for (const TPluralWord& entry : PluralWords)
    for (std::string_view form : {entry.One, entry.Few, entry.Many})
      if (WordAt(text, pos + 1, form)) {
        word = form;
        return &entry;
      }
  return nullptr;
}

// Every way the current language may write the word of Entry: its plain
// translations and its form lines.
std::vector<std::string> ShownForms(const TPluralWord& entry) {
  std::vector<std::string> forms;
  for (std::string_view form : {entry.One, entry.Few, entry.Many})
    forms.push_back(Tr(form));
  for (const char* category : {"one", "few", "many", "other"}) {
    const std::string key = std::string(entry.Many) + "[" + category + "]";
    if (HasTranslation(key)) forms.push_back(Tr(key));
  }
  // The longest first, so that "products" wins over "product".
  std::sort(forms.begin(), forms.end(),
            [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
  return forms;
}

// Swaps the plural words of Translated for the forms that go with their
// counts. Words are found by the conversion they follow in the Russian
// template; a word the translation places or spells otherwise stays.
std::string WithPluralForms(std::string_view russian, std::string translated,
                            const std::vector<TFormatArg>& args) {
  const std::vector<TConversion> source = Conversions(russian);
  if (source.empty()) return translated;
  const std::vector<TConversion> target = Conversions(translated);
  // A translation that lost or gained a conversion pairs no count with its word.
  if (target.size() != source.size()) return translated;
  const size_t count = std::min(source.size(), args.size());
  // From the back, so that the positions before stay valid.
  for (size_t k = count; k-- > 0;) {
    if (!source[k].Integer || args[k].Kind() != TFormatArg::TKind::Integer) continue;
    std::string_view word;
    const TPluralWord* entry = PluralWordAfter(russian, source[k].End, word);
    if (!entry) continue;
    size_t pos = target[k].End;
    while (pos < translated.size() && translated[pos] == ' ')
      ++pos;
    for (const std::string& shown : ShownForms(*entry)) {
      if (!WordAt(translated, pos, shown)) continue;
      translated.replace(pos, shown.size(), TrPluralWord(word, args[k].Integer()));
      break;
    }
  }
  return translated;
}

std::string FormatTrArgs(const TNumberFormat& numbers, std::string_view templateText,
                         const std::vector<TFormatArg>& args);

// Values as they are shown: catalogue texts translated, nested messages
// rendered in the same way as the outer one.
std::vector<TFormatArg> ShownValues(const TNumberFormat& numbers,
                                    const std::vector<TFormatArg>& args) {
  std::vector<TFormatArg> shown;
  shown.reserve(args.size());
  for (const TFormatArg& arg : args) {
    if (const TMessage* nested = arg.NestedMessage())
      shown.emplace_back(FormatTrArgs(numbers, nested->Id, nested->Args));
    else if (arg.IsKey())
      shown.emplace_back(Tr(arg.Text()));
    else
      shown.push_back(arg);
  }
  return shown;
}

std::string FormatTrArgs(const TNumberFormat& numbers, std::string_view templateText,
                         const std::vector<TFormatArg>& args) {
  std::string translated =
      HasTranslation(templateText) ? Tr(templateText) : TrMultiline(templateText);
  translated = WithPluralForms(templateText, std::move(translated), args);
  const std::vector<TFormatArg> shown = ShownValues(numbers, args);
  return FormatArgs(translated, shown.data(), shown.size(), numbers.DecimalSeparator);
}

}  // namespace

std::string FormatTr(const TNumberFormat& Numbers, std::string_view Template,
                     std::initializer_list<TFormatArg> Args) {
  return FormatTrArgs(Numbers, Template, std::vector<TFormatArg>(Args));
}

}  // namespace quelmora
