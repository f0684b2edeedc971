#include "l10n/RecentFiles.h"

#include <algorithm>

#include "l10n/Localization.h"
#include "l10n/SettingsIni.h"

namespace quelmora {

namespace {

constexpr std::string_view Section = "RecentFiles";

std::string KeyOf(size_t index) {
  return "File" + std::to_string(index + 1);
}

// Quoted, so that the INI reader's trimming keeps a name's outer blanks.
std::string Quoted(const std::string& name) {
  return name.empty() ? std::string() : "\"" + name + "\"";
}

}  // namespace

std::vector<std::string> ReadRecentFiles(std::string_view Text) {
  std::vector<std::string> files;
  for (size_t i = 0; i < MaxRecentFiles; ++i) {
    const std::string name = ReadIniValue(Text, Section, KeyOf(i));
    if (name.empty() || std::find(files.begin(), files.end(), name) != files.end()) continue;
    files.push_back(name);
  }
  return files;
}

std::string WriteRecentFiles(std::string_view Text, const std::vector<std::string>& Files) {
  // Every key is written, the unused ones empty: a shorter list must not
  // leave the names of a longer one behind.
  std::string out(Text);
  for (size_t i = 0; i < MaxRecentFiles; ++i)
    out = WriteIniValue(out, Section, KeyOf(i), Quoted(i < Files.size() ? Files[i] : ""));
  return out;
}

std::vector<std::string> WithRecentFile(std::vector<std::string> Files,
                                        const std::string& FileName) {
  if (FileName.empty() || FileName.find_first_of("\r\n") != std::string::npos) return Files;
  Files = WithoutRecentFile(std::move(Files), FileName);
  Files.insert(Files.begin(), FileName);
  if (Files.size() > MaxRecentFiles) Files.resize(MaxRecentFiles);
  return Files;
}

std::vector<std::string> WithoutRecentFile(std::vector<std::string> Files,
                                           const std::string& FileName) {
  Files.erase(std::remove(Files.begin(), Files.end(), FileName), Files.end());
  return Files;
}

std::vector<std::string> LoadRecentFiles() {
  return ReadRecentFiles(ReadSettingsText());
}

void SaveRecentFiles(const std::vector<std::string>& Files) {
  UpdateSettingsText([&](const std::string& text) { return WriteRecentFiles(text, Files); });
}

}  // namespace quelmora
