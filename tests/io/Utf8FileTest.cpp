#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "io/Utf8File.h"
#include "model/Errors.h"
#include "support/ExpectError.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

const std::string kBom = "\xEF\xBB\xBF";

TEST(WriteUtf8TextFile, WritesTheMarkThenTheTextUnchanged) {
  TTempFolder folder;
  const std::string path = folder.File("a.txt");
  const std::string text = std::string("Чай;\r\nline\0two", 15);
  WriteUtf8TextFile(path, text);
  EXPECT_EQ(ReadBytes(path), kBom + text);
  WriteUtf8TextFile(path, "");
  EXPECT_EQ(ReadBytes(path), kBom);
}

TEST(WriteUtf8TextFile, ReplacesTheWholeContentAndLeavesNothingBehind) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  WriteBytes(path, std::string(10000, 'x'));
  WriteUtf8TextFile(path, "{}");
  EXPECT_EQ(ReadBytes(path), kBom + "{}");
  EXPECT_EQ(folder.Listing(), "p.vld;");
}

TEST(WriteUtf8TextFile, KeepsThePermissionsOfAReplacedFile) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  WriteBytes(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  WriteUtf8TextFile(path, "new");
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(WriteUtf8TextFile, WritesThroughASymbolicLink) {
  TTempFolder folder;
  const std::string target = folder.File("real.vld");
  const std::string link = folder.File("link.vld");
  WriteBytes(target, "old");
  std::filesystem::create_symlink(target, link);
  WriteUtf8TextFile(link, "new");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(target), kBom + "new");
}

TEST(WriteUtf8TextFile, MissingFolderIsACreateErrorNamingTheFile) {
  TTempFolder folder;
  const std::string path = folder.File("missing/p.vld");
  try {
    WriteUtf8TextFile(path, "{}");
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::FileCreate);
    EXPECT_EQ(e.Message(), "Cannot create file \"" + path + "\": No such file or directory");
    EXPECT_STREQ(e.KindName(), "EFCreateError");
  }
  EXPECT_EQ(folder.Listing(), "");
}

TEST(WriteUtf8TextFile, TargetThatIsAFolderStaysAndNoTemporaryRemains) {
  TTempFolder folder;
  const std::string path = folder.File("dir");
  std::filesystem::create_directory(path);
  WriteBytes(folder.File("dir/inside"), "keep");
  EXPECT_ERROR_KIND(WriteUtf8TextFile(path, "{}"), TErrorKind::FileCreate);
  EXPECT_EQ(ReadBytes(folder.File("dir/inside")), "keep");
  EXPECT_EQ(folder.Listing(), "dir;");
}

// The file size limit makes a write fail half-way for any user, root included.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST(WriteUtf8TextFile, FailedWriteLeavesTheExistingFileIntact) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  const std::string old = kBom + "{\"Version\":1}";
  WriteBytes(path, old);
  try {
    FileSizeLimit limit(4096);
    WriteUtf8TextFile(path, std::string(100000, 'x'));
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::FileReadWrite);
    EXPECT_EQ(e.Message(), "Cannot write file \"" + path + "\": File too large");
  }
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(folder.Listing(), "p.vld;");  // the half-written temporary is gone
}

TEST(ReadUtf8TextFile, DropsOneLeadingMark) {
  TTempFolder folder;
  const std::string path = folder.File("t.txt");
  const struct {
    std::string bytes;
    std::string text;
  } cases[] = {
      {kBom + "Чай", "Чай"},
      {"Чай", "Чай"},
      {kBom, ""},
      {"", ""},
      {kBom + kBom, kBom},
      {"x" + kBom, "x" + kBom},
      {kBom + "{}\r\n", "{}\r\n"},
  };
  for (const auto& c : cases) {
    WriteBytes(path, c.bytes);
    EXPECT_EQ(ReadUtf8TextFile(path), c.text);
  }
}

class ReadUtf8TextFileRefuses : public ::testing::TestWithParam<std::string> {};

TEST_P(ReadUtf8TextFileRefuses, BytesThatAreNotUtf8) {
  TTempFolder folder;
  const std::string path = folder.File("bad.txt");
  WriteBytes(path, GetParam());
  try {
    ReadUtf8TextFile(path);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::Encoding);
    EXPECT_NE(e.Message().find(path), std::string::npos) << e.Message();
    EXPECT_STREQ(e.KindName(), "EEncodingError");
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ReadUtf8TextFileRefuses,
                         ::testing::Values("\xEF\xBB", kBom + "ok\xFF", "\xC0\xAF",
                                           kBom + "\xED\xA0\x80", "abc\xD0",
                                           "Windows-1251: \xD7\xE0\xE9"));

TEST(ReadUtf8TextFile, ErrorNamesTheOffsetOfTheBadByte) {
  TTempFolder folder;
  const std::string path = folder.File("bad.txt");
  WriteBytes(path, kBom + "ab\xFF");
  try {
    ReadUtf8TextFile(path);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::Encoding);
    EXPECT_EQ(e.Message(), "File \"" + path + "\" is not valid UTF-8 (byte 5)");
  }
}

TEST(ReadUtf8TextFile, MissingFileIsAnOpenErrorNamingTheFile) {
  TTempFolder folder;
  const std::string path = folder.File("none.vld");
  try {
    ReadUtf8TextFile(path);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::FileOpen);
    EXPECT_EQ(e.Message(), "Cannot open file \"" + path + "\": No such file or directory");
    EXPECT_STREQ(e.KindName(), "EFOpenError");
  }
}

TEST(ReadUtf8TextFile, FolderIsAReadError) {
  TTempFolder folder;
  EXPECT_FILE_ERROR(ReadUtf8TextFile(folder.Path().string()));
}

TEST(WriteFileReplacing, WritesBytesWithoutAMark) {
  TTempFolder folder;
  const std::string path = folder.File("b.bin");
  const std::string bytes("\x00\xFF\xEF\xBB\xBF", 5);
  WriteFileReplacing(path, bytes);
  EXPECT_EQ(ReadBytes(path), bytes);
}

}  // namespace
}  // namespace quelmora
