#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
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

// --- replacing: links, permissions, temporaries ------------------------------

namespace fs = std::filesystem;

// What stands at the target before a save, and how the save must end: a
// read-only file was once replaced silently, and links without a reachable
// target became regular files.
struct TTargetCase {
  const char* Name;
  std::function<void(const TTempFolder&)> Setup;  // makes "p.vld"
  std::string Reason;   // the end of the error message; empty: the save succeeds
  std::string Written;  // where the new bytes must be, when it succeeds
};

void PrintTo(const TTargetCase& c, std::ostream* os) {
  *os << c.Name;
}

class ReplacingTarget : public ::testing::TestWithParam<TTargetCase> {};

TEST_P(ReplacingTarget, WritesThroughOrFailsWithTheReasonLeavingTheTargetAsItWas) {
  TTempFolder folder;
  GetParam().Setup(folder);
  const std::string path = folder.File("p.vld");
  const fs::file_type type = fs::symlink_status(path).type();
  const std::string listing = folder.Listing();
  const std::optional<Exception> e = test::Caught([&] { WriteFileReplacing(path, "new"); });
  EXPECT_EQ(fs::symlink_status(path).type(), type);
  if (GetParam().Reason.empty()) {
    EXPECT_FALSE(e) << e->Message();
    EXPECT_EQ(ReadBytes(folder.File(GetParam().Written)), "new");
    return;
  }
  ASSERT_TRUE(e);
  EXPECT_TRUE(IsFileError(e->Kind()));
  EXPECT_TRUE(e->Message().starts_with("Cannot ") &&
              e->Message().ends_with("\"" + path + "\": " + GetParam().Reason))
      << e->Message();
  EXPECT_EQ(folder.Listing(), listing);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplacingTarget,
    ::testing::Values(TTargetCase{"ReadOnlyFile",
                                  [](const TTempFolder& f) {
                                    WriteBytes(f.File("p.vld"), "old");
                                    fs::permissions(f.File("p.vld"), fs::perms(0444));
                                  },
                                  "Permission denied", ""},
                      TTargetCase{"DanglingLink",
                                  [](const TTempFolder& f) {
                                    fs::create_symlink("new.vld", f.File("p.vld"));
                                  },
                                  "", "new.vld"},
                      TTargetCase{"LinkToALink",
                                  [](const TTempFolder& f) {
                                    fs::create_symlink("a.vld", f.File("p.vld"));
                                    fs::create_symlink(f.File("b.vld"), f.File("a.vld"));
                                  },
                                  "", "b.vld"},
                      TTargetCase{"LinkLoop",
                                  [](const TTempFolder& f) {
                                    fs::create_symlink("q.vld", f.File("p.vld"));
                                    fs::create_symlink("p.vld", f.File("q.vld"));
                                  },
                                  "Too many levels of symbolic links", ""},
                      TTargetCase{"LinkIntoAMissingFolder",
                                  [](const TTempFolder& f) {
                                    fs::create_symlink(f.File("gone/p.vld"), f.File("p.vld"));
                                  },
                                  "No such file or directory", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

// The temporary's name once held the whole target name, so names near the
// 255-byte limit could not be saved.
TEST(WriteFileReplacing, NamesUpToTheLimitCanBeSaved) {
  TTempFolder folder;
  for (const size_t length : {243u, 255u}) {
    const std::string name(length, 'n');
    WriteFileReplacing(folder.File(name), "x");
    EXPECT_EQ(folder.Listing(), name + ";");
    fs::remove(folder.File(name));
  }
}

// Temporaries of killed saves once piled up: a save clears those of its own
// target whose process is gone, and leaves a running process's and other
// targets' alone.
TEST(WriteFileReplacing, ClearsStaleTemporariesOfItsTarget) {
  TTempFolder folder;
  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ASSERT_GT(dead, 0);
  ::waitpid(dead, nullptr, 0);
  const std::string stale = TemporaryFileName("p.vld", dead, 3);
  const std::string running = TemporaryFileName("p.vld", 1, 3);
  const std::string other = TemporaryFileName("q.vld", dead, 3);
  for (const std::string& name : {stale, running, other})
    WriteBytes(folder.File(name), "half");
  WriteFileReplacing(folder.File("p.vld"), "new");
  EXPECT_FALSE(fs::exists(folder.File(stale)));
  EXPECT_TRUE(fs::exists(folder.File(running)));
  EXPECT_TRUE(fs::exists(folder.File(other)));
}

// A save ended by TERM, HUP or INT once left its temporary behind.
class SignalDuringSave : public ::testing::TestWithParam<int> {};

TEST_P(SignalDuringSave, RemovesTheTemporaryAndDiesOfTheSignal) {
  TTempFolder folder;
  WriteBytes(folder.File("p.vld"), "old");
  const pid_t pid = ::fork();
  if (pid == 0) {
    RemoveTemporariesOnSignals();
    TReplaceTogether staged;  // holds the temporary open until the signal
    WriteFileReplacing(folder.File("p.vld"), "new");
    ::raise(GetParam());
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == GetParam()) << status;
  EXPECT_EQ(folder.Listing(), "p.vld;");
  EXPECT_EQ(ReadBytes(folder.File("p.vld")), "old");
}

INSTANTIATE_TEST_SUITE_P(Table, SignalDuringSave, ::testing::Values(SIGTERM, SIGHUP, SIGINT));

TEST(TReplaceTogether, ReplacesNothingUntilCommitAndNothingWithout) {
  TTempFolder folder;
  WriteBytes(folder.File("a"), "old");
  for (const bool commit : {false, true}) {
    TReplaceTogether together;
    WriteFileReplacing(folder.File("a"), "new");
    WriteFileReplacing(folder.File("b"), "new");
    EXPECT_EQ(ReadBytes(folder.File("a")), "old");
    EXPECT_FALSE(fs::exists(folder.File("b")));
    if (commit) together.Commit();
  }
  EXPECT_EQ(ReadBytes(folder.File("a")), "new");
  EXPECT_EQ(ReadBytes(folder.File("b")), "new");
  EXPECT_EQ(folder.Listing(), "a;b;");
}

// --- reading: what is not a file, or too large ------------------------------

// /dev/zero, /dev/urandom or a pipe once read until memory ran out.
TEST(ReadUtf8TextFile, RefusesWhatIsNotARegularFileOrIsOverTheCap) {
  TTempFolder folder;
  ASSERT_EQ(::mkfifo(folder.File("pipe").c_str(), 0600), 0);
  WriteBytes(folder.File("ten"), "0123456789");
  const struct {
    std::string path;
    uint64_t cap;
    std::string reason;  // empty: read
  } cases[] = {
      {"/dev/zero", MaxTextFileBytes, "not a regular file"},
      {"/dev/urandom", MaxCsvFileBytes, "not a regular file"},
      {folder.File("pipe"), MaxTextFileBytes, "not a regular file"},
      {folder.File("ten"), 9 << 20, ""},
      {folder.File("ten"), 10, ""},
      {folder.File("ten"), 9, "larger than 9 bytes"},
  };
  for (const auto& c : cases) {
    const std::optional<Exception> e = test::Caught([&] { ReadUtf8TextFile(c.path, c.cap); });
    if (c.reason.empty()) {
      EXPECT_FALSE(e) << c.path << ": " << e->Message();
      continue;
    }
    ASSERT_TRUE(e) << c.path;
    EXPECT_EQ(e->Kind(), TErrorKind::FileOpen);
    EXPECT_EQ(e->Message(), "Cannot open file \"" + c.path + "\": " + c.reason);
  }
}

size_t OpenDescriptors() {
  return static_cast<size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

// Running out of memory while reading once leaked the descriptor.
TEST(ReadUtf8TextFile, ClosesTheFileWhenMemoryRunsOut) {
#if defined(__SANITIZE_ADDRESS__)
  // AddressSanitizer ends the process where the allocation would fail.
  GTEST_SKIP() << "an address-space limit cannot be tried under AddressSanitizer";
#endif
  TTempFolder folder;
  const std::string path = folder.File("big.txt");
  {
    std::ofstream(path) << "";
    fs::resize_file(path, 200 << 20);  // sparse: no disk used
  }
  const pid_t pid = ::fork();
  if (pid == 0) {
    rlimit limit{};
    ::getrlimit(RLIMIT_AS, &limit);
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    statm >> pages;
    limit.rlim_cur = pages * static_cast<size_t>(::sysconf(_SC_PAGESIZE)) + (64 << 20);
    if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(3);
    const size_t before = OpenDescriptors();
    bool failed = false;
    try {
      ReadUtf8TextFile(path);
    } catch (const Exception& e) {
      failed = e.Kind() == TErrorKind::FileReadWrite;
    }
    ::_exit(!failed ? 2 : OpenDescriptors() == before ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_NE(WEXITSTATUS(status), 2) << "the read did not run out of memory";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "a descriptor was left open";
}

}  // namespace
}  // namespace quelmora
