#include "l10n/RecentFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LanguageFixture.h"
#include "l10n/Localization.h"
#include "l10n/SettingsIni.h"

namespace quelmora {
namespace {

using TList = std::vector<std::string>;

TList Numbered(int count) {
  TList files;
  for (int i = 0; i < count; ++i)
    files.push_back("/p/" + std::to_string(i) + ".vld");
  return files;
}

struct TRoundTrip {
  const char* Name;
  std::string Before;  // settings.ini as found
  TList Files;
};

class RecentFilesRoundTrip : public ::testing::TestWithParam<TRoundTrip> {};

TEST_P(RecentFilesRoundTrip, ReadsBackWhatWasWrittenAndKeepsTheOtherLines) {
  const TRoundTrip& c = GetParam();
  const std::string written = WriteRecentFiles(c.Before, c.Files);
  EXPECT_EQ(ReadRecentFiles(written), c.Files);
  EXPECT_EQ(ReadIniValue(written, "Interface", "Language"),
            ReadIniValue(c.Before, "Interface", "Language"));
  // The other lines come first, byte for byte: the section goes at the end
  // or stays where it was.
  const size_t section = c.Before.find("[RecentFiles]");
  const std::string kept = section == std::string::npos ? c.Before : c.Before.substr(0, section);
  EXPECT_EQ(written.substr(0, kept.size()), kept);
  // Writing the same list again changes nothing.
  EXPECT_EQ(WriteRecentFiles(written, c.Files), written);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RecentFilesRoundTrip,
    ::testing::Values(
        TRoundTrip{"Empty", "", {"/home/u/a.vld"}},
        TRoundTrip{"BomAndCrLf",
                   "\xEF\xBB\xBF[Interface]\r\nLanguage=German.lng\r\n; note\r\n",
                   {"/a b/c.vld", "/d.vld"}},
        TRoundTrip{"OwnSectionShrinks",
                   "[Interface]\nLanguage=English.lng\n[RecentFiles]\nFile1=\"/x.vld\"\n"
                   "File2=\"/y.vld\"\nFile3=\"/z.vld\"\n",
                   {"/y.vld"}},
        TRoundTrip{"BlanksAndQuotesInNames", "[Other]\nKey=1\n", {" lead.vld", "\"q\".vld"}},
        TRoundTrip{"Full", "[Interface]\nLanguage=Russian.lng\n", Numbered(8)},
        TRoundTrip{"Cleared", "[RecentFiles]\nFile1=\"/x.vld\"\n", {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(RecentFiles, NewestFirstWithoutDuplicatesAndAtMostEight) {
  TList files;
  for (const std::string& name : Numbered(10))
    files = WithRecentFile(files, name);
  ASSERT_EQ(files.size(), MaxRecentFiles);
  EXPECT_EQ(files.front(), "/p/9.vld");
  EXPECT_EQ(files.back(), "/p/2.vld");

  files = WithRecentFile(files, "/p/5.vld");
  EXPECT_EQ(files.size(), MaxRecentFiles);
  EXPECT_EQ(files[0], "/p/5.vld");
  EXPECT_EQ(std::count(files.begin(), files.end(), "/p/5.vld"), 1);
  EXPECT_EQ(files[1], "/p/9.vld");

  EXPECT_EQ(WithRecentFile(files, "bad\nname.vld"), files);
  EXPECT_EQ(WithRecentFile(files, ""), files);
  const TList shorter = WithoutRecentFile(files, "/p/9.vld");
  EXPECT_EQ(shorter.size(), MaxRecentFiles - 1);
  EXPECT_EQ(shorter[0], "/p/5.vld");
  EXPECT_EQ(shorter[1], "/p/8.vld");
}

TEST(RecentFiles, ReadingSkipsEmptyAndRepeatedEntries) {
  const std::string text =
      "[RecentFiles]\nFile1=\"/a.vld\"\nFile2=\nFile3=/b.vld\nFile4=\"/a.vld\"\nFile9=/c.vld\n";
  EXPECT_EQ(ReadRecentFiles(text), (TList{"/a.vld", "/b.vld"}));
}

class RecentFilesInSettings : public testing::LanguageFixture {};

TEST_F(RecentFilesInSettings, StoredBesideTheLanguageChoice) {
  EXPECT_TRUE(LoadRecentFiles().empty());
  SaveLanguageChoice("German.lng");
  SaveRecentFiles({"/one.vld", "/two.vld"});
  EXPECT_EQ(LoadRecentFiles(), (TList{"/one.vld", "/two.vld"}));
  EXPECT_EQ(SavedLanguageChoice(), "German.lng");
  SaveLanguageChoice("English.lng");
  EXPECT_EQ(LoadRecentFiles(), (TList{"/one.vld", "/two.vld"}));
}

}  // namespace
}  // namespace quelmora
