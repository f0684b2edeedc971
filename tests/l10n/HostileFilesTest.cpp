#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "LanguageFixture.h"
#include "l10n/Localization.h"
#include "model/Errors.h"
#include "support/ExpectError.h"

namespace quelmora {
namespace {

namespace fs = std::filesystem;
using testing::LanguageFixture;

double SecondsOf(const std::function<void()>& action) {
  const auto start = std::chrono::steady_clock::now();
  action();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// ------------------------------------------------------------ long lines

constexpr size_t kMegabyte = size_t{1} << 20;

class LongLinesTest : public LanguageFixture {};

// Lines of a megabyte load like any other: a long key, a long value, a long
// line without "=", and a long unit word translation.
TEST_F(LongLinesTest, LoadAndTranslate) {
  const std::string longKey(kMegabyte, 'k');
  const std::string longValue(kMegabyte, 'v');
  const std::string noKey(kMegabyte, 'n');
  WriteThreeLanguages();
  WriteLanguage("English.lng", "language=English\nРасчет=" + longValue + "\n" + longKey + "=Key\n" +
                                   noKey + "\nЯщик=Box\nмм=millimetre\n");
  bool loaded = false;
  const double loadSeconds = SecondsOf([&] { loaded = LoadLanguage("English.lng"); });
  ASSERT_TRUE(loaded);
  EXPECT_EQ(Tr("Расчет"), longValue);
  EXPECT_EQ(Tr(longKey), "Key");
  EXPECT_EQ(Tr("Ящик"), "Box");
  EXPECT_EQ(Tr(noKey), noKey);

  // A text of a megabyte that the file does not know comes back as it is.
  const std::string unknown(kMegabyte, 'u');
  std::string tr;
  const double unknownSeconds = SecondsOf([&] { tr = Tr(unknown); });
  EXPECT_EQ(tr, unknown);

  // A megabyte line of unit words: every one translated, in one pass.
  std::string units;
  while (units.size() < kMegabyte)
    units += " 1 мм";
  std::string multi;
  const double multiSeconds = SecondsOf([&] { multi = TrMultiline("Ящик\n" + units); });
  const size_t count = units.size() / std::string(" 1 мм").size();
  ASSERT_EQ(multi.size(), std::string("Box\r\n").size() + count * (3 + 10));
  EXPECT_EQ(multi.substr(0, 13), "Box\r\n 1 milli");
  EXPECT_EQ(multi.substr(multi.size() - 13), " 1 millimetre");

  std::printf("[ measured ] load %.3f s, unknown 1 MB text %.3f s, 1 MB unit line %.3f s\n",
              loadSeconds, unknownSeconds, multiSeconds);
}

// A shown value of a megabyte from another language is no key: it stays as it is.
TEST_F(LongLinesTest, ALongTranslationIsNoKey) {
  const std::string longValue(kMegabyte, 'v');
  WriteThreeLanguages();
  WriteLanguage("English.lng", "language=English\nРасчет=" + longValue + "\n");
  ASSERT_TRUE(LoadLanguage("English.lng"));
  ASSERT_EQ(Tr("Расчет"), longValue);
  ASSERT_TRUE(LoadLanguage("German.lng"));
  EXPECT_EQ(Tr(longValue), longValue);
  EXPECT_EQ(Tr("Расчет"), "Berechnen");
}

// ------------------------------------------------------------ settings.ini

enum class SettingsKind { Folder, Pipe, DeviceLink, FileInThePath };

struct SettingsCase {
  const char* label;
  SettingsKind kind;
};

void PrintTo(const SettingsCase& c, std::ostream* os) {
  *os << c.label;
}

class OddSettingsFile : public LanguageFixture, public ::testing::WithParamInterface<SettingsCase> {
 protected:
  void SetUp() override {
    LanguageFixture::SetUp();
    WriteThreeLanguages();
    env_.Set("LANG", "de_DE.UTF-8");
    switch (GetParam().kind) {
      case SettingsKind::Folder:
        fs::create_directories(SettingsFileName());
        break;
      case SettingsKind::Pipe:
        fs::create_directories(fs::path(SettingsFileName()).parent_path());
        ASSERT_EQ(mkfifo(SettingsFileName().c_str(), 0600), 0);
        break;
      case SettingsKind::DeviceLink:
        fs::create_directories(fs::path(SettingsFileName()).parent_path());
        fs::create_symlink("/dev/zero", SettingsFileName());
        break;
      case SettingsKind::FileInThePath:
        testing::WriteBytes((temp_.Path() / "plain").string(), "[Interface]\nLanguage=English\n");
        env_.Set("LOCALAPPDATA", (temp_.Path() / "plain").string());
        break;
    }
  }

  fs::file_type Type() const { return fs::symlink_status(SettingsFileName()).type(); }
};

// Nothing that stands where settings.ini should be blocks the start, eats
// memory or stops the locale from choosing.
TEST_P(OddSettingsFile, ReadsAsNoChoice) {
  const fs::file_type before = Type();
  EXPECT_EQ(SavedLanguageChoice(), "");
  EXPECT_EQ(InitLanguage(), "German.lng");
  EXPECT_EQ(Tr("Расчет"), "Berechnen");
  EXPECT_EQ(Type(), before);
}

// Saving never replaces what is not a regular file: a clean file error, and
// the thing stays as it was.
TEST_P(OddSettingsFile, SavingIsAFileError) {
  const fs::file_type before = Type();
  EXPECT_FILE_ERROR(SaveLanguageChoice("English.lng"));
  EXPECT_EQ(Type(), before);
  EXPECT_EQ(fs::status("/dev/zero").type(), fs::file_type::character);
}

INSTANTIATE_TEST_SUITE_P(Table, OddSettingsFile,
                         ::testing::Values(SettingsCase{"Folder", SettingsKind::Folder},
                                           SettingsCase{"Pipe", SettingsKind::Pipe},
                                           SettingsCase{"DeviceLink", SettingsKind::DeviceLink},
                                           SettingsCase{"FileInThePath",
                                                        SettingsKind::FileInThePath}),
                         [](const auto& info) { return std::string(info.param.label); });

class UnreadableSettingsFile : public LanguageFixture {};

// Without read permission the saved choice is unknown, and saving refuses
// rather than lose the file's other entries. Root reads every file, so there
// the case says nothing.
TEST_F(UnreadableSettingsFile, IsNeitherReadNorOverwritten) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads files without permission";
  WriteThreeLanguages();
  SaveLanguageChoice("English.lng");
  const std::string path = SettingsFileName();
  testing::WriteBytes(path, "[Other]\nKey=1\n[Interface]\nLanguage=English.lng\n");
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  EXPECT_EQ(SavedLanguageChoice(), "");
  EXPECT_FILE_ERROR(SaveLanguageChoice("German.lng"));
  ASSERT_EQ(chmod(path.c_str(), 0600), 0);
  EXPECT_EQ(testing::ReadBytes(path), "[Other]\nKey=1\n[Interface]\nLanguage=English.lng\n");
}

// A settings.ini of many megabytes of line breaks once took forty times its
// size in memory: over the cap it reads as no choice, and saving refuses it
// rather than drop its other entries.
TEST_F(UnreadableSettingsFile, OverTheCapIsNeitherReadNorOverwritten) {
  WriteThreeLanguages();
  const std::string path = SettingsFileName();
  fs::create_directories(fs::path(path).parent_path());
  const std::string bytes = "[Interface]\nLanguage=English.lng\n" + std::string(kMegabyte, '\n');
  testing::WriteBytes(path, bytes);
  EXPECT_EQ(SavedLanguageChoice(), "");
  EXPECT_FILE_ERROR(SaveLanguageChoice("German.lng"));
  EXPECT_EQ(testing::ReadBytes(path), bytes);
  testing::WriteBytes(path, bytes.substr(0, kMegabyte));
  EXPECT_EQ(SavedLanguageChoice(), "English.lng");
}

// A language file that is a pipe is listed under its name and never waited for.
TEST_F(LongLinesTest, APipeAmongTheLanguageFilesDoesNotBlock) {
  WriteThreeLanguages();
  ASSERT_EQ(mkfifo((Lang() / "Pipe.lng").c_str(), 0600), 0);
  bool found = false;
  for (const TPackLanguageInfo& info : ListLanguages())
    found = found || (info.FileName == "Pipe.lng" && info.DisplayName == "Pipe");
  EXPECT_TRUE(found);
  ASSERT_TRUE(LoadLanguage("German.lng"));
  EXPECT_EQ(Tr("Расчет"), "Berechnen");
}

}  // namespace
}  // namespace quelmora
