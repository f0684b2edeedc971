// The built quelmora-batch program in a child process of its own, with the
// signals at their defaults: faults that only the real process shows (a file
// size limit, a closed or full standard output) end with exit status 1 and
// the error on stderr, never with a signal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/Cyrillic.h"
#include "support/TempFolder.h"

using quelmora::test::HasCyrillic;

namespace quelmora {
namespace {

using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

struct TExit {
  int Status = -1;  // the exit status, or -1 when a signal ended the process
  int Signal = 0;
  std::string LastErrLine;
  int LineCount = 0;  // of stderr
};

// Runs the tool with Args; Prepare runs in the child before exec (limits,
// standard output).
TExit RunTool(const TTempFolder& folder, const std::vector<std::string>& args,
              const std::function<void()>& prepare) {
  const std::string errPath = folder.File("stderr.txt");
  const pid_t pid = ::fork();
  if (pid == 0) {
    for (const int signal : {SIGXFSZ, SIGPIPE, SIGTERM, SIGINT})
      ::signal(signal, SIG_DFL);
    ::setenv("LOCALAPPDATA", folder.File("appdata").c_str(), 1);
    // Messages follow the locale; Prepare may set one.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
      ::unsetenv(variable);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(err, 2);
    prepare();
    std::vector<char*> argv{const_cast<char*>(QUELMORA_BATCH_EXE)};
    for (const std::string& a : args)
      argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(QUELMORA_BATCH_EXE, argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  TExit exit;
  if (WIFEXITED(status)) exit.Status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) exit.Signal = WTERMSIG(status);
  std::string text = ReadBytes(errPath);
  while (!text.empty() && text.back() == '\n')
    text.pop_back();
  exit.LastErrLine = text.substr(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
  exit.LineCount = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + !text.empty();
  return exit;
}

void RedirectStdout(const char* path) {
  const int fd = ::open(path, O_WRONLY);
  ::dup2(fd, 1);
}

// A file size limit once killed the tool with SIGXFSZ, leaving a temporary.
TEST(BatchProcess, AFileSizeLimitIsAFileErrorAndLeavesNoTemporary) {
  TTempFolder folder;
  const TExit exit = RunTool(folder, {"--sample", "--quiet", "--json", folder.File("r.json")}, [] {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 1000;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  });
  EXPECT_EQ(exit.Signal, 0);
  EXPECT_EQ(exit.Status, 1);
  EXPECT_EQ(exit.LastErrLine,
            "Cannot write file \"" + folder.File("r.json") + "\": File too large");
  EXPECT_EQ(folder.Listing(), "stderr.txt;");
}

// A reader that went away (| head) once killed the tool with SIGPIPE before
// the files were written; output to a full device once ended with status 0.
struct TStdoutCase {
  const char* Name;
  std::function<void()> Prepare;
};

void PrintTo(const TStdoutCase& c, std::ostream* os) {
  *os << c.Name;
}

class BatchStdout : public ::testing::TestWithParam<TStdoutCase> {};

TEST_P(BatchStdout, AFailedTableIsAnErrorAfterTheFilesAreWritten) {
  TTempFolder folder;
  const TExit exit =
      RunTool(folder, {"--sample", "--json", folder.File("r.json")}, GetParam().Prepare);
  EXPECT_EQ(exit.Signal, 0);
  EXPECT_EQ(exit.Status, 1);
  EXPECT_EQ(exit.LastErrLine, "Cannot write the standard output");
  EXPECT_EQ(ReadBytes(folder.File("r.json")).rfind("\xEF\xBB\xBF{\"Version\":1", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Table, BatchStdout,
                         ::testing::Values(TStdoutCase{"FullDevice",
                                                       [] { RedirectStdout("/dev/full"); }},
                                           TStdoutCase{"ClosedPipe",
                                                       [] {
                                                         int fds[2];
                                                         if (::pipe(fds) != 0) ::_exit(126);
                                                         ::close(fds[0]);
                                                         ::dup2(fds[1], 1);
                                                       }}),
                         [](const auto& info) { return std::string(info.param.Name); });

// The real program takes its message language from --lang, else from the
// locale it is started in, else Russian; a wrong CSV header shows which.
struct TLocaleCase {
  const char* Name;
  std::vector<std::string> Lang;
  const char* LangVariable;  // LANG, or nullptr
  bool Russian;
};

void PrintTo(const TLocaleCase& c, std::ostream* os) {
  *os << c.Name;
}

class BatchMessageLanguage : public ::testing::TestWithParam<TLocaleCase> {};

TEST_P(BatchMessageLanguage, TheLastLineIsTheMessageInThatLanguage) {
  TTempFolder folder;
  WriteBytes(folder.File("in.csv"), "Name;Price\r\n");
  std::vector<std::string> args = {"--sample", "--import", folder.File("in.csv"), "--json",
                                   folder.File("r.json")};
  args.insert(args.end(), GetParam().Lang.begin(), GetParam().Lang.end());
  const char* lang = GetParam().LangVariable;
  const TExit exit = RunTool(folder, args, [lang] {
    if (lang) ::setenv("LANG", lang, 1);
  });
  EXPECT_EQ(exit.Status, 1);
  ASSERT_FALSE(exit.LastErrLine.empty());
  EXPECT_EQ(HasCyrillic(exit.LastErrLine), GetParam().Russian) << exit.LastErrLine;
  // At most a line of detail before the message.
  EXPECT_LE(exit.LineCount, 2);
  EXPECT_FALSE(std::filesystem::exists(folder.File("r.json")));
}

INSTANTIATE_TEST_SUITE_P(
    Table, BatchMessageLanguage,
    ::testing::Values(TLocaleCase{"LangEnglish", {"--lang", "English.lng"}, nullptr, false},
                      TLocaleCase{"LocaleGerman", {}, "de_DE.UTF-8", false},
                      TLocaleCase{"LocaleFrench", {}, "fr_FR.UTF-8", true},
                      TLocaleCase{"NoLocale", {}, nullptr, true}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace quelmora
