#include "BatchTool.h"
#include "BoxStrengthCommand.h"

#include "LayerCalculator.h"
#include "MessageLanguage.h"

#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <utility>

#include "TerminalText.h"
#include "engine/VolumeMismatch.h"
#include "io/Utf8File.h"
#include "l10n/ErrorText.h"
#include "l10n/Localization.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "report/GuiApplication.h"
#include "report/PdfReportExporter.h"
#include "report/ReportPages.h"
#include "workspace/Workspace.h"

namespace quelmora {

namespace {

constexpr const char* kUsage =
    "usage: quelmora-batch [--sample | --project FILE] [--import CSV] [--criterion N]\n"
    "                      [--on-mismatch sample|range] [--save-project FILE]\n"
    "                      [--json FILE] [--csv FILE] [--pdf FILE] [--lang FILE]\n"
    "                      [--log] [--progress] [--quiet]\n"
    "       quelmora-batch --box-strength LxWxH --ect KN_PER_M --thickness MM\n"
    "                      [--humidity PERCENT] [--days N] [--load-kg KG] [--json FILE]\n"
    "       quelmora-batch --layer LxW lxw [--overhang MM] [--json FILE]\n"
    "       quelmora-batch --help | --version\n";

Exception UsageError(std::string message) {
  return Exception(TErrorKind::Usage, std::move(message));
}

// The text the tool prints for a failure that reached it: the one place
// where an error becomes words on the terminal, in the message language.
// Messages quote names and file names, which may hold terminal escapes.
std::string FailureText(const std::exception& error) {
  return TerminalSafe(LocalizedFailure(error));
}

// What was found and what is allowed goes on a line of its own before the
// message, so the last line stays the message that scripts look for.
void PrintDetail(std::ostream& err, const std::exception& error) {
  if (const auto* ours = dynamic_cast<const Exception*>(&error))
    if (const std::string detail = ErrorDetail(*ours); !detail.empty())
      err << TerminalSafe(detail) << '\n';
}

void PrintFailure(std::ostream& err, const std::string& prefix, const std::exception& error) {
  PrintDetail(err, error);
  err << prefix << FailureText(error) << '\n';
}

struct TBatchOptions {
  bool sample = false;
  std::optional<std::string> project;
  std::optional<std::string> import;
  std::optional<int> criterion;
  std::optional<TMismatchAnswer> onMismatch;
  std::optional<std::string> saveProject;
  std::optional<std::string> json;
  std::optional<std::string> csv;
  std::optional<std::string> pdf;
  std::optional<std::string> lang;
  bool log = false;
  bool progress = false;
  bool quiet = false;
  TBoxStrengthArgs boxStrength;

  bool WantsRun() const { return json.has_value() || csv.has_value() || pdf.has_value(); }
};

TBatchOptions ParseOptions(const std::vector<std::string>& args) {
  TBatchOptions o;
  auto value = [&](size_t& i) -> const std::string& {
    if (i + 1 >= args.size()) throw UsageError(args[i] + " needs a value");
    return args[++i];
  };
  auto once = [](std::optional<std::string>& slot, const std::string& name, const std::string& v) {
    if (slot) throw UsageError(name + " given twice");
    slot = v;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--sample") {
      o.sample = true;
    } else if (a == "--project") {
      once(o.project, a, value(i));
    } else if (a == "--import") {
      once(o.import, a, value(i));
    } else if (a == "--criterion") {
      const std::string& v = value(i);
      if (v.size() != 1 || v[0] < '0' || v[0] > '3')
        throw UsageError("--criterion takes 0, 1, 2 or 3, not " + v);
      o.criterion = v[0] - '0';
    } else if (a == "--on-mismatch") {
      const std::string& v = value(i);
      if (v == "sample")
        o.onMismatch = TMismatchAnswer::UseSample;
      else if (v == "range")
        o.onMismatch = TMismatchAnswer::UseRange;
      else
        throw UsageError("--on-mismatch takes sample or range, not " + v);
    } else if (a == "--save-project") {
      once(o.saveProject, a, value(i));
    } else if (a == "--json") {
      once(o.json, a, value(i));
    } else if (a == "--csv") {
      once(o.csv, a, value(i));
    } else if (a == "--log") {
      o.log = true;
    } else if (a == "--progress") {
      o.progress = true;
    } else if (a == "--quiet") {
      o.quiet = true;
    } else if (a == "--pdf") {
      once(o.pdf, a, value(i));
    } else if (a == "--lang") {
      once(o.lang, a, value(i));
    } else if (ParseBoxStrengthOption(args, i, o.boxStrength)) {
      // taken into o.boxStrength
    } else {
      throw UsageError("unknown option " + a);
    }
  }
  if (o.sample && o.project) throw UsageError("--sample and --project exclude each other");
  if (o.boxStrength.AnyGiven() && !o.boxStrength.Requested())
    throw UsageError("--ect, --thickness, --humidity, --days and --load-kg go with --box-strength");
  if (o.boxStrength.Requested() &&
      (o.sample || o.project || o.import || o.criterion || o.onMismatch || o.saveProject || o.csv ||
       o.pdf || o.log || o.progress || o.quiet))
    throw UsageError("--box-strength takes no options of the optimisation but --json");
  return o;
}

// What tells two names of one file apart from two files: device and inode,
// or for a file not there yet its absolute path.
std::string FileIdentity(const std::string& name) {
  if (struct stat st; ::stat(name.c_str(), &st) == 0)
    return Format("%ju:%ju", static_cast<uintmax_t>(st.st_dev), static_cast<uintmax_t>(st.st_ino));
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(name, ec);
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, ec);
  return "/" + (ec ? absolute.lexically_normal() : canonical).string();
}

// An output written over an input, or over another output, would lose one of
// them; only saving the project back where it came from is meant.
void CheckDistinctFiles(const TBatchOptions& o) {
  const std::pair<std::string_view, const std::optional<std::string>*> files[] = {
      {"--project", &o.project}, {"--import", &o.import}, {"--save-project", &o.saveProject},
      {"--json", &o.json},       {"--csv", &o.csv},       {"--pdf", &o.pdf}};
  std::vector<std::pair<std::string_view, std::string>> seen;
  for (const auto& [option, file] : files) {
    if (!*file) continue;
    const std::string identity = FileIdentity(**file);
    for (const auto& [earlier, earlierIdentity] : seen)
      if (earlierIdentity == identity && !(earlier == "--project" && option == "--save-project"))
        throw UsageError(std::string(earlier) + " and " + std::string(option) +
                         " name the same file");
    seen.emplace_back(option, identity);
  }
}

// Display width of UTF-8 text, counted in code points.
size_t TextWidth(const std::string& text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string Padded(const std::string& text, size_t width, bool right = false) {
  const size_t w = TextWidth(text);
  if (w >= width) return text;
  const std::string fill(width - w, ' ');
  return right ? fill + text : text + fill;
}

std::string Size3(double a, double b, double c) {
  return Format("%.1f×%.1f×%.1f", a, b, c);
}

void PrintSolutions(std::ostream& out, const TProjectData& project,
                    const TOptimizationResult& result) {
  std::map<int32_t, std::string> names;
  for (const TProduct& p : project.Products)
    names.emplace(p.Id, p.Name);
  const std::string& currency = project.Settings.CurrencySymbol;
  struct TColumn {
    std::string title;
    bool right;
  };
  const std::vector<TColumn> columns = {
      {"Product", false}, {"Pack, mm", false},   {"Box, mm", false},       {"Packs", true},
      {"Group", true},    {"Cost/m³ now", true}, {"Cost/m³ before", true}, {"Saving, %", true}};
  std::vector<std::vector<std::string>> rows;
  for (const TOptimizationSolution& s : result.Solutions) {
    const auto name = names.find(s.ProductId);
    rows.push_back(
        {name != names.end() ? TerminalSafe(name->second) : Format("#%d", s.ProductId),
         Size3(s.Pack.LengthMM, s.Pack.WidthMM, s.Pack.HeightMM),
         Size3(s.Box.LengthMM, s.Box.WidthMM, s.Box.HeightMM), Format("%d", s.Box.PackCount),
         Format("%d", s.UnifiedGroupId), Format("%.2f", s.Box.PackagingCostPerM3),
         Format("%.2f", s.OriginalBox.PackagingCostPerM3), Format("%.1f", s.SavingPercent)});
  }
  std::vector<size_t> widths;
  for (const TColumn& c : columns)
    widths.push_back(TextWidth(c.title));
  for (const auto& row : rows)
    for (size_t i = 0; i < row.size(); ++i)
      widths[i] = std::max(widths[i], TextWidth(row[i]));
  auto printRow = [&](const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
      if (i) out << "  ";
      out << Padded(cells[i], widths[i], columns[i].right);
    }
    out << '\n';
  };
  std::vector<std::string> titles;
  for (const TColumn& c : columns)
    titles.push_back(c.title);
  printRow(titles);
  for (const auto& row : rows)
    printRow(row);
  if (result.Solutions.empty()) out << "(no solutions)\n";
  out << Format("Average cost/m³: %.2f %s now, %.2f %s before\n", result.AverageCostPerM3,
                currency.c_str(), result.OriginalAverageCostPerM3, currency.c_str());
}

class TProgressBar {
 public:
  explicit TProgressBar(std::ostream& err) : FErr(err) {}
  void Show(int percent, const std::string& stage) {
    if (percent == FPercent && stage == FStage) return;
    FPercent = percent;
    FStage = stage;
    const int filled = std::clamp(percent, 0, 100) / 5;
    FErr << "\r\x1b[K[" << std::string(filled, '#') << std::string(20 - filled, ' ') << "] "
         << Format("%3d%%", percent) << ' ' << TerminalSafe(stage) << std::flush;
    FShown = true;
  }
  void Finish() {
    if (FShown) FErr << '\n' << std::flush;
    FShown = false;
  }

 private:
  std::ostream& FErr;
  int FPercent = -1;
  std::string FStage;
  bool FShown = false;
};

// Refused before the run when it is not there.
void CheckLanguageFile(const std::string& name) {
  const std::string path = LanguageFilePath(name);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec))
    throw Exception(TErrorKind::FileOpen, "Language file not found: \"%s\"", {path}).InFile(path);
}

// The report in the language of --lang, else the one the window would start
// with; the messages keep theirs. Painting needs fonts, hence a
// (display-less) GUI application.
void WriteReport(const std::string& fileName, const std::optional<std::string>& language,
                 const std::string& messageLanguage, const TWorkspace& workspace,
                 const std::function<void()>& checkInterrupt) {
  EnsureGuiApplication();
  const TScopedLanguage keepMessages(messageLanguage);
  if (!language)
    InitLanguage();
  else if (!LoadNamedLanguage(*language))
    throw Exception(TErrorKind::FileReadWrite, "Cannot read language file \"%s\"", {*language})
        .InFile(*language);
  TReportOptions options = UserReportOptions();
  options.BeforePage = checkInterrupt;
  workspace.WriteReport(fileName, options);
}

// The window asks about each product whose sample lies outside its volume
// range; here the answer has to come with the command line.
TMismatchAnswer AnswerFromCommandLine(const TBatchOptions& o, const TProduct& p) {
  if (o.onMismatch) return *o.onMismatch;
  throw UsageError("the sample pack of \"" + p.Name +
                   "\" lies outside its volume range and the project asks what to do: "
                   "pass --on-mismatch sample|range");
}

// Runs the calculation in the background, as the window does, and turns
// Ctrl-C into a cooperative cancel.
TRunEnd RunInBackground(TWorkspace& workspace, TRunInput input, const TBatchOptions& o,
                        std::ostream& err, const TInterruptWait& waitForInterrupt) {
  TProgressBar bar(err);
  TProgressCallback show;
  if (o.progress)
    show = [&bar](int32_t percent, const std::string& stage) {
      bar.Show(percent, StageText(stage));
    };
  workspace.Start(std::move(input));
  // A short wait: the run may end any moment, and small runs take milliseconds.
  while (!workspace.Poll(show))
    if (waitForInterrupt(2)) workspace.Cancel();
  if (o.progress) bar.Finish();
  return workspace.Finish();
}

}  // namespace

void SetUpBatchSignals() {
  // A full disk or a file size limit, and a reader that went away, become
  // errors of the write instead of killing the tool mid-way.
  ::signal(SIGXFSZ, SIG_IGN);
  ::signal(SIGPIPE, SIG_IGN);
  RemoveTemporariesOnSignals();
}

int RunBatch(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err,
             const TInterruptWait& WaitForInterrupt) {
  // Asked for, the usage is the answer, not a usage error.
  if (std::find(Args.begin(), Args.end(), "--help") != Args.end()) {
    Out << kUsage;
    return 0;
  }
  if (std::find(Args.begin(), Args.end(), "--version") != Args.end()) {
    Out << "quelmora-batch " << QUELMORA_VERSION << '\n';
    return 0;
  }
  // The layer calculator is a tool of its own that shares the program.
  if (std::find(Args.begin(), Args.end(), "--layer") != Args.end())
    return RunLayerCalculator(Args, Out, Err);
  TBatchOptions o;
  try {
    o = ParseOptions(Args);
    CheckDistinctFiles(o);
  } catch (const Exception& e) {
    if (e.Kind() != TErrorKind::Usage) throw;
    Err << kUsage << "quelmora-batch: " << FailureText(e) << '\n';
    return 2;
  }

  try {
    const std::string messageLanguage = LoadMessageLanguage(o.lang);
    // Ctrl-C between stages (and report pages) ends the run before anything
    // is written.
    const std::function<void()> checkInterrupt = [&WaitForInterrupt] {
      if (WaitForInterrupt(0)) throw Exception(TErrorKind::Cancelled, SCalculationCancelled);
    };
    // Every file is staged and put in place only once all of them are written.
    TReplaceTogether outputs;
    if (o.boxStrength.Requested()) {
      const std::string lines = RunBoxStrength(o.boxStrength, o.json);
      outputs.Commit();
      if (!(Out << lines).flush())
        throw Exception(TErrorKind::FileReadWrite, "Cannot write the standard output");
      return 0;
    }
    if (o.lang) CheckLanguageFile(*o.lang);
    TWorkspace workspace;
    if (o.project)
      workspace.Open(*o.project);
    else
      workspace.NewFromSample();
    checkInterrupt();
    if (o.import) workspace.ImportCsv(*o.import);
    checkInterrupt();
    if (o.criterion) {
      TProjectData project = workspace.Project();
      project.OptimizationCriterion = static_cast<TCriterionKind>(*o.criterion);
      workspace.SetProject(std::move(project));
    }
    if (o.saveProject) workspace.SaveAs(*o.saveProject);
    checkInterrupt();
    // With nothing else asked for, show the calculation itself.
    const bool run = o.WantsRun() || !o.saveProject;
    if (!run) {
      outputs.Commit();
      return 0;
    }

    std::optional<TRunInput> input = workspace.PrepareRun(
        [&o](const TProduct& p, double) { return AnswerFromCommandLine(o, p); });
    const TRunEnd end = RunInBackground(workspace, std::move(*input), o, Err, WaitForInterrupt);
    const TOptimizationResult& result = end.Output;
    if (o.log)
      for (const std::string& line : result.Log)
        Out << TerminalSafe(line) << '\n';
    if (end.Failure) {
      PrintDetail(Err, *end.Failure);
      Err << TerminalSafe(LocalizedRunFailure(*end.Failure)) << '\n';
      return 1;
    }
    if (!end.Error.empty()) {
      Err << TerminalSafe(end.Error) << '\n';
      return 1;
    }
    if (result.Cancelled) {
      Err << Tr(SCalculationCancelled) << '\n';
      return 1;
    }
    if (o.json) workspace.Export(*o.json, TExportKind::Json);
    checkInterrupt();
    if (o.csv) workspace.Export(*o.csv, TExportKind::Csv);
    checkInterrupt();
    if (o.pdf) WriteReport(*o.pdf, o.lang, messageLanguage, workspace, checkInterrupt);
    checkInterrupt();
    outputs.Commit();
    // The table last: a reader that stops early (| head) must not cost the files.
    if (!o.quiet) PrintSolutions(Out, workspace.Project(), result);
    if (!Out.flush())
      throw Exception(TErrorKind::FileReadWrite, "Cannot write the standard output");
    return 0;
  } catch (const Exception& e) {
    PrintFailure(Err, e.Kind() == TErrorKind::Usage ? "quelmora-batch: " : "", e);
    return e.Kind() == TErrorKind::Usage ? 2 : 1;
  } catch (const std::exception& e) {
    PrintFailure(Err, "", e);
  }
  return 1;
}

}  // namespace quelmora
