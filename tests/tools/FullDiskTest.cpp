// Every kind of save, and the batch tool's writes, on a disk that fills up
// half-way: the save fails with a file error, the previous file stays as it
// was to the byte and no temporary file is left beside it. The disk fills in
// a child process (a file size limit there, so no other test is affected),
// or, where the machine allows mounting, on a tiny memory file system.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "BatchTool.h"
#include "engine/OptimizationCriteria.h"
#include "engine/Optimizer.h"
#include "io/CsvResultExporter.h"
#include "io/LumarData.h"
#include "io/ProjectSerializer.h"
#include "l10n/Localization.h"
#include "model/Errors.h"
#include "report/GuiApplication.h"
#include "report/PdfReportExporter.h"
#include "report/ReportPages.h"
#include "support/ScopedEnv.h"
#include "support/SmallProjects.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

// What a child process reported, or why it reported nothing.
struct TChildOutcome {
  std::string Report;
  std::string Failure;  // empty when the child ran to its end
};

// Runs Action in a child process whose files cannot grow past Limit bytes
// (RLIM_INFINITY: no limit) and returns the text Action produced, or the
// kind and message of the error it raised. A write past the limit fails with
// EFBIG: SIGXFSZ, which would kill the child instead, is ignored there.
TChildOutcome RunInChild(rlim_t Limit, const std::function<std::string()>& Action) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return {"", std::string("pipe: ") + std::strerror(errno)};
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return {"", std::string("fork: ") + std::strerror(errno)};
  }
  if (pid == 0) {
    ::close(fds[0]);
    std::string report;
    try {
      ::signal(SIGXFSZ, SIG_IGN);
      if (Limit != RLIM_INFINITY) {
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = Limit;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("setrlimit failed");
      }
      report = Action();
    } catch (const Exception& e) {
      report = ErrorText(e);
    } catch (const std::exception& e) {
      report = std::string("std::exception: ") + e.what();
    } catch (...) {
      report = "unknown exception";
    }
    std::string_view rest(report);
    while (!rest.empty()) {
      const ssize_t n = ::write(fds[1], rest.data(), rest.size());
      if (n <= 0) ::_exit(3);
      rest.remove_prefix(static_cast<size_t>(n));
    }
    // No exit handlers: the parent's buffers and test state are not the child's to flush.
    ::_exit(0);
  }
  ::close(fds[1]);
  TChildOutcome outcome;
  char buffer[4096];
  for (;;) {
    pollfd p{fds[0], POLLIN, 0};
    // A generous watchdog: a hung child becomes a failure, not a hung test.
    const int ready = ::poll(&p, 1, 120000);
    if (ready == 0) {
      ::kill(pid, SIGKILL);
      outcome.Failure = "the child did not finish";
      break;
    }
    if (ready < 0) {
      if (errno == EINTR) continue;
      outcome.Failure = std::string("poll: ") + std::strerror(errno);
      ::kill(pid, SIGKILL);
      break;
    }
    const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    outcome.Report.append(buffer, static_cast<size_t>(n));
  }
  ::close(fds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (outcome.Failure.empty() && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
    outcome.Failure = WIFSIGNALED(status)
                          ? "the child died of signal " + std::to_string(WTERMSIG(status))
                          : "the child exited with " + std::to_string(WEXITSTATUS(status));
  return outcome;
}

// A small project, the result of its run, and an older project and result
// that the files hold before each save. Made once, before any child starts.
struct TFixtures {
  TProjectData Project;
  TOptimizationResult Result;
  TProjectData OldProject;
  TOptimizationResult OldResult;
};

TOptimizationResult RunOf(const TProjectData& project) {
  TCancelToken token;
  return TOptimizer().Execute(project.Products, project.Settings,
                              *CreateCriterion(project.OptimizationCriterion), token);
}

const TFixtures& Fixtures() {
  static const TFixtures fixtures = [] {
    TFixtures f;
    f.Project.Settings = test::SmallSettings();
    f.Project.Products = {test::ScaledProduct(1, 1.0, "Чай"), test::ScaledProduct(2, 0.8, "Кофе")};
    f.Result = RunOf(f.Project);
    f.OldProject = LoadLumarProject();
    f.OldProject.Settings = test::SmallSettings();
    f.OldResult = RunOf(f.OldProject);
    return f;
  }();
  return fixtures;
}

std::string LanguageFolder() {
  return std::string(QUELMORA_SOURCE_DIR) + "/lang";
}

// One kind of save: where it writes within a folder, the previous file it
// replaces, and the save itself (run in the child).
struct TSaveKind {
  const char* Name;
  std::function<std::string(const fs::path& Folder)> Target;
  std::function<void(const std::string& Path)> WriteOld;
  std::function<void(const fs::path& Folder, const std::string& Path)> Save;
};

void PrintTo(const TSaveKind& kind, std::ostream* os) {
  *os << kind.Name;
}

// settings.ini lives below LOCALAPPDATA, which the test points at its folder.
std::string SettingsIniIn(const fs::path& folder) {
  setenv("LOCALAPPDATA", folder.c_str(), 1);
  return SettingsFileName();
}

const std::vector<TSaveKind>& SaveKinds() {
  static const std::vector<TSaveKind> kinds = {
      {"Project", [](const fs::path& folder) { return (folder / "project.vld").string(); },
       [](const std::string& path) { SaveProject(path, Fixtures().OldProject); },
       [](const fs::path&, const std::string& path) { SaveProject(path, Fixtures().Project); }},
      {"ResultJson", [](const fs::path& folder) { return (folder / "result.json").string(); },
       [](const std::string& path) { SaveResultJson(path, Fixtures().OldResult); },
       [](const fs::path&, const std::string& path) { SaveResultJson(path, Fixtures().Result); }},
      {"ResultCsv", [](const fs::path& folder) { return (folder / "result.csv").string(); },
       [](const std::string& path) {
         TCsvResultExporter().ExportFile(path, Fixtures().OldProject.Products,
                                         Fixtures().OldResult);
       },
       [](const fs::path&, const std::string& path) {
         TCsvResultExporter().ExportFile(path, Fixtures().Project.Products, Fixtures().Result);
       }},
      {"PdfReport", [](const fs::path& folder) { return (folder / "report.pdf").string(); },
       // Any earlier bytes will do: they only have to come through unchanged.
       [](const std::string& path) {
         WriteBytes(path, "%PDF-1.4\n%QUELMORA\n" + std::string(20000, '\x7f') + "\n%%EOF\n");
       },
       [](const fs::path&, const std::string& path) {
         EnsureGuiApplication();
         OverrideLanguageFolder(LanguageFolder());
         if (!LoadLanguage("Russian.lng")) throw std::runtime_error("no language files");
         TReportOptions options;
         options.Numbers.DecimalSeparator = ",";
         options.Timestamp = "01.02.2024 10:30";
         ExportPdfReport(path, Fixtures().Project, Fixtures().Result, options);
       }},
      {"SettingsIni", SettingsIniIn,
       [](const std::string& path) {
         fs::create_directories(fs::path(path).parent_path());
         WriteBytes(path, "[Window]\nWidth=1280\n\n[Interface]\nLanguage=German.lng\n");
       },
       [](const fs::path& folder, const std::string&) {
         SettingsIniIn(folder);
         SaveLanguageChoice("English.lng");
       }},
  };
  return kinds;
}

// Where the disk fills up: after so many bytes of the new file, or on a
// memory file system filled to the brim. Unlimited is the control: the same
// save then succeeds.
enum class TFill { Nothing, OneByte, Half, AllButOne, FullFileSystem, Unlimited };

const char* FillName(TFill fill) {
  switch (fill) {
    case TFill::Nothing:
      return "AtZeroBytes";
    case TFill::OneByte:
      return "AfterOneByte";
    case TFill::Half:
      return "HalfWay";
    case TFill::AllButOne:
      return "BeforeTheLastByte";
    case TFill::FullFileSystem:
      return "FullFileSystem";
    case TFill::Unlimited:
      return "NoLimit";
  }
  return "?";
}

void PrintTo(TFill fill, std::ostream* os) {
  *os << FillName(fill);
}

// A tmpfs of Bytes mounted on Folder for the scope, or nothing where the
// machine does not allow mounting.
class TSmallFileSystem {
 public:
  TSmallFileSystem(const fs::path& folder, size_t bytes) : folder_(folder) {
    fs::create_directories(folder);
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
    mounted_ =
        ::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
  }
  TSmallFileSystem(const TSmallFileSystem&) = delete;
  TSmallFileSystem& operator=(const TSmallFileSystem&) = delete;
  ~TSmallFileSystem() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  bool Mounted() const { return mounted_; }

  // Takes every free block with one more file; true once the disk is full.
  bool Fill(const std::string& path) const {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const std::string block(4096, 'f');
    int err = 0;
    for (;;) {
      const ssize_t n = ::write(fd, block.data(), block.size());
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        err = errno;
        break;
      }
    }
    ::close(fd);
    return err == ENOSPC;
  }

 private:
  fs::path folder_;
  bool mounted_ = false;
};

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

class FullDiskSave : public ::testing::TestWithParam<std::tuple<TSaveKind, TFill>> {
 protected:
  void SetUp() override {
    env_.Keep("LOCALAPPDATA");  // the settings.ini case points it at its folder
    Fixtures();                 // computed here, not in every child
  }

  // The bytes the save writes over the previous file when nothing stops it.
  std::string NewContent(const TSaveKind& kind) {
    TTempFolder scratch;
    const std::string path = kind.Target(scratch.Path());
    kind.WriteOld(path);  // settings.ini keeps the other sections of the old file
    const TChildOutcome outcome = RunInChild(RLIM_INFINITY, [&] {
      kind.Save(scratch.Path(), path);
      return std::string("saved");
    });
    EXPECT_EQ(outcome.Failure, "");
    EXPECT_EQ(outcome.Report, "saved");
    return fs::exists(path) ? ReadBytes(path) : std::string();
  }

 private:
  testing::TScopedEnv env_;
};

TEST_P(FullDiskSave, KeepsThePreviousFileAndLeavesNoTemporary) {
  const auto& [kind, fill] = GetParam();
  TTempFolder temp;
  fs::path folder = temp.Path();
  std::optional<TSmallFileSystem> disk;
  std::string oldBytes;
  if (fill == TFill::FullFileSystem) {
    // Room for the previous file and a little more, which the filler takes.
    folder = temp.Path() / "disk";
    disk.emplace(folder, 256 * 1024);
    if (!disk->Mounted()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
  }
  const std::string target = kind.Target(folder);
  kind.WriteOld(target);
  oldBytes = ReadBytes(target);
  ASSERT_FALSE(oldBytes.empty());
  const fs::path targetFolder = fs::path(target).parent_path();
  if (disk) {
    ASSERT_TRUE(disk->Fill((folder / "filler").string())) << "the disk did not fill";
  }
  const std::set<std::string> before = Names(targetFolder);

  rlim_t limit = RLIM_INFINITY;
  std::string newBytes;
  if (fill == TFill::Half || fill == TFill::AllButOne || fill == TFill::Unlimited) {
    newBytes = NewContent(kind);
    ASSERT_GT(newBytes.size(), 2u);
    ASSERT_NE(newBytes, oldBytes);
  }
  if (fill == TFill::Nothing) limit = 0;
  if (fill == TFill::OneByte) limit = 1;
  if (fill == TFill::Half) limit = newBytes.size() / 2;
  if (fill == TFill::AllButOne) limit = newBytes.size() - 1;

  const TChildOutcome outcome = RunInChild(limit, [&] {
    kind.Save(folder, target);
    return std::string("saved");
  });
  ASSERT_EQ(outcome.Failure, "");
  if (fill == TFill::Unlimited) {
    EXPECT_EQ(outcome.Report, "saved");
    EXPECT_EQ(ReadBytes(target), newBytes);
  } else {
    const char* reason =
        fill == TFill::FullFileSystem ? "No space left on device" : "File too large";
    EXPECT_EQ(outcome.Report, "EInOutError: Cannot write file \"" + target + "\": " + reason);
    EXPECT_EQ(ReadBytes(target), oldBytes) << "the previous file changed";
  }
  EXPECT_EQ(Names(targetFolder), before) << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(EveryKind, FullDiskSave,
                         ::testing::Combine(::testing::ValuesIn(SaveKinds()),
                                            ::testing::Values(TFill::Nothing, TFill::OneByte,
                                                              TFill::Half, TFill::AllButOne,
                                                              TFill::FullFileSystem,
                                                              TFill::Unlimited)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).Name) + "_" +
                                  FillName(std::get<1>(info.param));
                         });

// The batch tool on a full disk: exit status 1, the file error as the last
// line of stderr, the previous file untouched.
struct TBatchWrite {
  const char* Name;
  std::vector<std::string> Options;  // before the file's option
  const char* Option;
  const char* File;
};

void PrintTo(const TBatchWrite& write, std::ostream* os) {
  *os << write.Name;
}

class BatchToolOnAFullDisk : public ::testing::TestWithParam<TBatchWrite> {};

TEST_P(BatchToolOnAFullDisk, ExitsWithTheFileErrorAndKeepsTheOldFile) {
  const TBatchWrite& write = GetParam();
  TTempFolder temp;
  const std::string project = temp.File("p.vld");
  SaveProject(project, Fixtures().Project);
  const std::string target = temp.File(write.File);
  const std::string oldBytes =
      "previous " + std::string(write.File) + "\n" + std::string(5000, '#');
  WriteBytes(target, oldBytes);
  const std::set<std::string> before = Names(temp.Path());

  std::vector<std::string> args = {"--project", project, "--quiet"};
  args.insert(args.end(), write.Options.begin(), write.Options.end());
  args.push_back(write.Option);
  args.push_back(target);
  const TChildOutcome outcome = RunInChild(1, [&] {
    OverrideLanguageFolder(LanguageFolder());
    // The messages follow the locale: without one they are Russian.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
      unsetenv(variable);
    std::ostringstream out, err;
    const int status = RunBatch(args, out, err, [](int) { return false; });
    std::string text = err.str();
    while (!text.empty() && text.back() == '\n')
      text.pop_back();
    const size_t cut = text.rfind('\n');
    return std::to_string(status) + "|" + (cut == std::string::npos ? text : text.substr(cut + 1));
  });
  ASSERT_EQ(outcome.Failure, "");
  EXPECT_EQ(outcome.Report, "1|Cannot write file \"" + target + "\": File too large");
  EXPECT_EQ(ReadBytes(target), oldBytes);
  EXPECT_EQ(Names(temp.Path()), before) << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(
    EveryOutput, BatchToolOnAFullDisk,
    ::testing::Values(TBatchWrite{"SaveProject", {"--criterion", "2"}, "--save-project", "out.vld"},
                      TBatchWrite{"Json", {}, "--json", "result.json"},
                      TBatchWrite{"Csv", {}, "--csv", "result.csv"},
                      TBatchWrite{"Pdf", {"--lang", "English.lng"}, "--pdf", "report.pdf"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace quelmora
