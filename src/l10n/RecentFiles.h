#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quelmora {

// The projects opened or saved last, most recent first, kept in a section of
// settings.ini of their own beside the language choice.
inline constexpr size_t MaxRecentFiles = 8;

// The list held in Text's [RecentFiles] section; empty entries are skipped.
std::vector<std::string> ReadRecentFiles(std::string_view Text);

// Text with its [RecentFiles] section holding Files (at most MaxRecentFiles);
// every other line stays as it was.
std::string WriteRecentFiles(std::string_view Text, const std::vector<std::string>& Files);

// Files with FileName first, no second entry of it, cut to MaxRecentFiles.
// A name that cannot stand on one INI line leaves the list as it was.
std::vector<std::string> WithRecentFile(std::vector<std::string> Files,
                                        const std::string& FileName);

std::vector<std::string> WithoutRecentFile(std::vector<std::string> Files,
                                           const std::string& FileName);

// The list in the user's settings.ini; empty when there is none.
std::vector<std::string> LoadRecentFiles();

// Raises the file errors of SaveLanguageChoice.
void SaveRecentFiles(const std::vector<std::string>& Files);

}  // namespace quelmora
