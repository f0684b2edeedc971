#include "l10n/Localization.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "io/Utf8File.h"
#include "l10n/PluralWords.h"
#include "l10n/SettingsIni.h"
#include "l10n/WordChars.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "model/Utf8.h"

namespace quelmora {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view FallbackLanguage = "Russian.lng";
constexpr std::string_view IniSection = "Interface";
constexpr std::string_view IniKey = "Language";

// The key=value lines of one language file, in file order.
struct TLanguageTable {
  std::vector<std::pair<std::string, std::string>> Lines;
  std::unordered_map<std::string, size_t> FirstLine;  // key -> its first line

  void Clear() {
    Lines.clear();
    FirstLine.clear();
  }
  const std::string* Find(std::string_view key) const {
    const auto it = FirstLine.find(std::string(key));
    return it == FirstLine.end() ? nullptr : &Lines[it->second].second;
  }
};

struct TModuleState {
  bool Started = false;
  TLanguageTable Current;
  std::string CurrentFile = std::string(FallbackLanguage);
  std::string FolderOverride;
};

TModuleState& State() {
  static TModuleState state;
  return state;
}

bool LoadLanguageFile(const std::string& fileName);

// The module starts with Russian current, before its first use.
TModuleState& Started() {
  TModuleState& state = State();
  if (!state.Started) {
    state.Started = true;
    LoadLanguageFile(std::string(FallbackLanguage));
  }
  return state;
}

char UpperLatin(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameIgnoringLatinCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperLatin(a[i]) != UpperLatin(b[i])) return false;
  return true;
}

int CompareIgnoringLatinCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(UpperLatin(a[i]));
    const auto y = static_cast<unsigned char>(UpperLatin(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Lines at CR LF, CR or LF.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// Raises the file errors of ReadUtf8TextFile.
TLanguageTable ReadTable(const std::string& path) {
  const std::string text = ReadUtf8TextFile(path);
  TLanguageTable table;
  for (std::string_view line : SplitLines(text)) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    std::string key(line.substr(0, eq));
    table.FirstLine.emplace(key, table.Lines.size());
    table.Lines.emplace_back(std::move(key), std::string(line.substr(eq + 1)));
  }
  return table;
}

std::string FileNamePart(const std::string& fileName) {
  return fs::path(fileName).filename().string();
}

std::string Join(const std::string& folder, std::string_view name) {
  if (folder.empty() || folder.back() == '/') return folder + std::string(name);
  return folder + "/" + std::string(name);
}

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

std::string ProgramFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path(ec).string();
  return exe.parent_path().string();
}

bool LoadLanguagePath(const std::string& path) {
  TModuleState& state = State();
  state.Current.Clear();

  if (!IsRegularFile(path)) return false;
  try {
    state.Current = ReadTable(path);
  } catch (const Exception&) {
    state.Current.Clear();
    return false;
  }
  state.CurrentFile = FileNamePart(path);
  return true;
}

bool LoadLanguageFile(const std::string& fileName) {
  const std::string folder = LanguageFolder();
  std::string path = Join(folder, FileNamePart(fileName));
  if (!IsRegularFile(path)) path = Join(folder, FallbackLanguage);
  return LoadLanguagePath(path);
}

std::string WithoutAmpersands(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != '&') out += c;
  return out;
}

// Replaces " Word" by " Translation" where Word ends a word: a product name
// such as "Крупа гречневая" must not lose its letters to the unit "г".
void ReplaceUnitWord(std::string& text, std::string_view word, std::string_view translation) {
  const std::string from = " " + std::string(word);
  size_t pos = text.find(from);
  if (pos == std::string::npos) return;
  // Built anew in one pass: replacing in place would move the rest of a long
  // line once per occurrence.
  std::string out;
  size_t copied = 0;
  for (; pos != std::string::npos; pos = text.find(from, pos)) {
    const size_t after = pos + from.size();
    char32_t next = 0;
    size_t probe = after;
    if (after < text.size() && DecodeUtf8(text, probe, next) && IsWordCodePoint(next)) {
      pos = after;
      continue;
    }
    out.append(text, copied, pos + 1 - copied);
    out += translation;
    copied = pos = after;
  }
  if (copied == 0) return;
  out.append(text, copied, std::string::npos);
  text = std::move(out);
}

// A few lines are all settings.ini ever holds; a huge one is no settings file.
constexpr off_t kMaxSettingsBytes = off_t{1} << 20;

// The bytes of settings.ini when it is a regular file of at most
// kMaxSettingsBytes that can be read; a folder, a named pipe or a device in
// its place counts as no file (a pipe must not block the program's start).
std::optional<std::string> ReadSettingsBytes(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st;
  std::optional<std::string> text;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxSettingsBytes) {
    text.emplace();
    char buffer[4096];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n > 0 && text->size() + static_cast<size_t>(n) > kMaxSettingsBytes) {
        text.reset();  // grew while read
        break;
      } else if (n > 0) {
        text->append(buffer, static_cast<size_t>(n));
      } else if (n == 0) {
        break;
      } else if (errno != EINTR) {
        text.reset();
        break;
      }
    }
  }
  ::close(fd);
  return text;
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return ProgramFolder();
}

// Locale languages and their files; the first entry of a file names the
// locale its conventions follow.
struct TLocaleLanguage {
  std::string_view Code;
  std::string_view File;
  std::string_view Locale;
};

constexpr TLocaleLanguage LocaleLanguages[] = {
    {"ru", "Russian.lng", "ru_RU"},    {"de", "German.lng", "de_DE"},
    {"en", "English.lng", "en_US"},    {"es", "Spanish.lng", "es_ES"},
    {"fr", "French.lng", "fr_FR"},     {"he", "Hebrew.lng", "he_IL"},
    {"iw", "Hebrew.lng", "he_IL"},     {"it", "Italian.lng", "it_IT"},
    {"pt", "Portuguese.lng", "pt_PT"}, {"sr", "Serbian.lng", "sr_RS"},
    {"hr", "Serbian.lng", "sr_RS"},    {"bs", "Serbian.lng", "sr_RS"},
    {"kk", "Kazakh.lng", "kk_KZ"},
};

// The Russian word forms of Word's entry; null when Word is no plural word.
const TPluralWord* PluralEntry(std::string_view word) {
  for (const TPluralWord& entry : PluralWords)
    if (word == entry.Many || word == entry.One || word == entry.Few) return &entry;
  return nullptr;
}

const char* PluralCategory(TPluralRule rule, int64_t n) {
  const uint64_t a = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
  if (rule == TPluralRule::Germanic) return a == 1 ? "one" : "other";
  if (a % 10 == 1 && a % 100 != 11) return "one";
  if (a % 10 >= 2 && a % 10 <= 4 && (a % 100 < 12 || a % 100 > 14)) return "few";
  return "many";
}

}  // namespace

std::string LanguageFolder() {
  const TModuleState& state = State();
  if (!state.FolderOverride.empty()) return state.FolderOverride;
  const fs::path program = ProgramFolder();
  for (const char* candidate : {"lang", "../lang", "../share/quelmora/lang"}) {
    const fs::path folder = (program / candidate).lexically_normal();
    std::error_code ec;
    if (fs::is_directory(folder, ec)) {
      std::string text = folder.string();
      while (text.size() > 1 && text.back() == '/')
        text.pop_back();
      return text;
    }
  }
  return (program / "lang").lexically_normal().string();
}

void OverrideLanguageFolder(const std::string& Folder) {
  State().FolderOverride = Folder;
}

std::string SettingsFileName() {
  std::string base;
  if (const char* local = std::getenv("LOCALAPPDATA"); local && *local) {
    base = local;
  } else if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') {
    // The XDG rules ignore a relative value.
    base = data;
  } else {
    base = Join(HomeFolder(), ".local/share");
  }
  return Join(Join(base, "Osterlin/quelmora"), "settings.ini");
}

std::string ReadLanguageDisplayName(const std::string& Path) {
  std::string name = fs::path(Path).stem().string();
  try {
    const std::string text = ReadUtf8TextFile(Path);
    for (std::string_view line : SplitLines(text)) {
      const std::string_view t = Trim(line);
      if (t.size() >= 9 && SameIgnoringLatinCase(t.substr(0, 9), "language=")) {
        name = std::string(Trim(t.substr(9)));
        break;
      }
    }
  } catch (const Exception&) {
    // An unreadable file is listed under its file name.
  }
  return name;
}

std::vector<TPackLanguageInfo> ListLanguages() {
  const std::string folder = LanguageFolder();
  std::vector<TPackLanguageInfo> list;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return list;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::error_code typeError;
    if (it->is_directory(typeError)) continue;
    const std::string name = it->path().filename().string();
    if (name.size() < 4 ||
        !SameIgnoringLatinCase(std::string_view(name).substr(name.size() - 4), ".lng"))
      continue;
    list.push_back({name, ReadLanguageDisplayName(Join(folder, name))});
  }
  for (size_t i = 0; i + 1 < list.size(); ++i)
    for (size_t j = i + 1; j < list.size(); ++j)
      if (CompareIgnoringLatinCase(list[i].FileName, list[j].FileName) > 0)
        std::swap(list[i], list[j]);
  return list;
}

bool LoadLanguage(const std::string& FileName) {
  Started();
  return LoadLanguageFile(FileName);
}

bool LoadLanguageFrom(const std::string& Path) {
  Started();
  return LoadLanguagePath(Path);
}

std::string LanguageFileForLocale(std::string_view LocaleName) {
  const size_t cut = LocaleName.find_first_of("_.@-");
  const std::string_view language = LocaleName.substr(0, cut);
  for (const TLocaleLanguage& entry : LocaleLanguages)
    if (SameIgnoringLatinCase(language, entry.Code)) return std::string(entry.File);
  return std::string(FallbackLanguage);
}

std::string DefaultLanguageFile() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* value = std::getenv(variable); value && *value)
      return LanguageFileForLocale(value);
  return std::string(FallbackLanguage);
}

std::string SavedLanguageChoice() {
  const std::optional<std::string> text = ReadSettingsBytes(SettingsFileName());
  return text ? ReadIniValue(*text, IniSection, IniKey) : std::string();
}

std::string InitLanguage() {
  Started();
  std::string name = SavedLanguageChoice();
  if (name.empty()) name = DefaultLanguageFile();
  if (LoadLanguageFile(name)) return State().CurrentFile;
  LoadLanguageFile(std::string(FallbackLanguage));
  return std::string(FallbackLanguage);
}

void UpdateSettingsText(const std::function<std::string(const std::string&)>& Change) {
  const std::string path = SettingsFileName();
  const fs::path folder = fs::path(path).parent_path();
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec)
    throw Exception(TErrorKind::FileCreate, "Cannot create folder \"%s\": %s",
                    {folder.string(), ec.message()})
        .InFile(folder.string());
  // A settings file that exists but cannot be read is not overwritten: its
  // other sections would be lost.
  std::string text;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
    if (st.st_size > kMaxSettingsBytes)
      throw Exception(TErrorKind::FileOpen, "Cannot read file \"%s\": larger than %d MB",
                      {path, static_cast<int>(kMaxSettingsBytes >> 20)})
          .InFile(path);
    std::optional<std::string> read = ReadSettingsBytes(path);
    if (!read)
      throw Exception(TErrorKind::FileOpen, "Cannot read file \"%s\"", {path}).InFile(path);
    text = std::move(*read);
  }
  WriteFileReplacing(path, Change(text));
}

std::string ReadSettingsText() {
  return ReadSettingsBytes(SettingsFileName()).value_or(std::string());
}

void SaveLanguageChoice(const std::string& FileName) {
  UpdateSettingsText([&](const std::string& text) {
    return WriteIniValue(text, IniSection, IniKey, FileNamePart(FileName));
  });
}

std::string CurrentLanguageFile() {
  return Started().CurrentFile;
}

std::string Tr(std::string_view Text) {
  if (Text.empty()) return std::string(Text);
  const std::string key = WithoutAmpersands(Text);
  if (const std::string* value = Started().Current.Find(key); value && !value->empty())
    return *value;
  return key;
}

bool HasTranslation(std::string_view Text) {
  const std::string* value = Started().Current.Find(WithoutAmpersands(Text));
  return value && !value->empty();
}

std::string TrMultiline(std::string_view Text) {
  static constexpr std::string_view ReferenceHeading = "СРАВНЕНИЕ С ЛУМАР (tea.DB)";
  std::string out;
  bool first = true;
  for (std::string_view line : SplitLines(Text)) {
    std::string t = Tr(line);
    if (t == line) {
      if (line == ReferenceHeading) t = Tr("СРАВНЕНИЕ С ЛУМАР") + " (tea.DB)";
      if (const size_t colon = line.find(':'); colon != std::string_view::npos)
        t = Tr(line.substr(0, colon)) + std::string(line.substr(colon));
    }
    for (std::string_view word : UnitWords) {
      const std::string translated = Tr(word);
      if (translated != word) ReplaceUnitWord(t, word, translated);
    }
    if (!first) out += "\r\n";
    out += t;
    first = false;
  }
  while (!out.empty() && static_cast<unsigned char>(out.back()) <= ' ')
    out.pop_back();
  return out;
}

TLanguageConventions LanguageConventions() {
  const std::string& file = Started().CurrentFile;
  if (SameIgnoringLatinCase(file, "Russian.lng")) return {};
  if (SameIgnoringLatinCase(file, "German.lng"))
    return {"de_DE", ",", "dd.MM.yyyy HH:mm", TPluralRule::Germanic};
  TLanguageConventions conventions{"C", ".", "yyyy-MM-dd HH:mm", TPluralRule::Germanic};
  for (const TLocaleLanguage& entry : LocaleLanguages)
    if (SameIgnoringLatinCase(file, entry.File)) {
      conventions.LocaleName = std::string(entry.Locale);
      break;
    }
  return conventions;
}

std::string TrPluralWord(std::string_view Word, int64_t N) {
  const TLanguageConventions conventions = LanguageConventions();
  const char* category = PluralCategory(conventions.PluralRule, N);
  const TPluralWord* entry = PluralEntry(Word);
  const std::string_view lineWord = entry ? entry->Many : Word;
  const std::string key = std::string(lineWord) + "[" + category + "]";
  if (const std::string* form = Started().Current.Find(key); form && !form->empty()) return *form;
  if (entry && conventions.PluralRule == TPluralRule::Slavic) {
    const std::string_view russian = category[0] == 'o'   ? entry->One
                                     : category[0] == 'f' ? entry->Few
                                                          : entry->Many;
    return Tr(russian);
  }
  return Tr(Word);
}

}  // namespace quelmora
