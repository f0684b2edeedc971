#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/Optimizer.h"
#include "engine/VolumeMismatch.h"
#include "model/Errors.h"
#include "model/OptimizationModel.h"
#include "report/ReportPages.h"
#include "workspace/UndoHistory.h"

namespace quelmora {

class TOptimizationWorker;

// The file types results are exported as.
enum class TExportKind { Csv, Json };

// What a run calculates: the project's products and settings with the
// volume questions settled.
struct TRunInput {
  std::vector<TProduct> Products;
  TOptimizationSettings Settings;
  TCriterionKind Criterion = ckCostPerVolume;
};

// How a run ended: its output (the log also after an error) and the error
// text, empty unless it failed.
struct TRunEnd {
  TOptimizationResult Output;
  std::string Error;  // "Kind: message" in the catalogue's language; empty on success
  std::optional<Exception> Failure;  // the failure itself, to be put into the user's words
};

using TProgressCallback = std::function<void(int32_t Percent, const std::string& Stage)>;

// The open project: its data, the file it came from, the background run and
// the last result. The window and the batch tool work through it, so that
// both open, import, run and export alike.
class TWorkspace {
 public:
  TWorkspace();
  // A running calculation is cancelled and waited for.
  ~TWorkspace();
  TWorkspace(const TWorkspace&) = delete;
  TWorkspace& operator=(const TWorkspace&) = delete;

  const TProjectData& Project() const { return FProject; }
  // Replaces the project's data; RecordChange makes it an undo step. The
  // result stays: the caller knows whether the change is one the result
  // depends on (and then clears it).
  void SetProject(TProjectData Project);
  // The file the project was opened from or last saved as; empty for the sample.
  const std::string& FileName() const { return FFileName; }
  // True when the project differs from the one opened or saved, or when
  // edits not yet in the project were marked.
  bool Modified() const { return FUntakenEdits || !FHistory.AtSaved(); }
  // Edits the caller holds outside the project (typed, not yet taken over).
  void MarkModified() { FUntakenEdits = true; }
  // The project as it stands becomes one undo step, unless it equals the
  // last one; the marked edits count as taken over. True for a new step.
  bool RecordChange();

  // One step back or forward; what was set but not recorded is recorded
  // first. The result stays, as with SetProject.
  bool CanUndo() const;
  bool CanRedo() const;
  void Undo();
  void Redo();
  const TUndoHistory& History() const { return FHistory; }

  void NewFromSample();
  void Open(const std::string& FileName);
  void Save();
  void SaveAs(const std::string& FileName);

  // The Id a new product gets: one above the largest. Raises when none fits.
  int32_t NextProductId() const;
  // Appends the file's products with Ids continuing after the largest Id of
  // the project; the project is untouched when the import fails.
  void ImportCsv(const std::string& FileName);
  // The product with Id, or null.
  const TProduct* ProductById(int32_t Id) const;

  // Validates the project and settles the Ask mode of the volume check
  // through Ask. Nothing when an answer was Cancel.
  std::optional<TRunInput> PrepareRun(const TMismatchQuestion& Ask) const;
  // Starts Input in the background; the result on hand is dropped.
  void Start(TRunInput Input);
  bool Running() const { return FWorker != nullptr; }
  // Any number of times; nothing without a run.
  void Cancel() noexcept;
  // Reports the run's progress; true once it has ended and Finish may be called.
  bool Poll(const TProgressCallback& OnProgress) const;
  // The run's products begun so far; zero of zero without a run.
  TProductCount ProductCount() const;
  // Takes the ended run's outcome: its output becomes the result unless it failed.
  TRunEnd Finish();

  const TOptimizationResult& Result() const { return FResult; }
  void ClearResult() { FResult = TOptimizationResult{}; }

  void Export(const std::string& FileName, TExportKind Kind) const;
  void WriteReport(const std::string& FileName) const;
  void WriteReport(const std::string& FileName, const TReportOptions& Options) const;

 private:
  TProjectData FProject;
  std::string FFileName;
  TUndoHistory FHistory;
  bool FUntakenEdits = false;
  TOptimizationResult FResult;
  std::unique_ptr<TOptimizationWorker> FWorker;
};

}  // namespace quelmora
