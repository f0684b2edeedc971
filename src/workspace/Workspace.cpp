#include "workspace/Workspace.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "calc/PalletStrength.h"
#include "engine/OptimizationWorker.h"
#include "io/CsvProductImporter.h"
#include "io/CsvResultExporter.h"
#include "io/LumarData.h"
#include "io/ProjectSerializer.h"
#include "model/ErrorTexts.h"
#include "model/Errors.h"
#include "model/Validation.h"
#include "report/PdfReportExporter.h"

namespace quelmora {

namespace {

// Runs an operation on one file: whatever fails in it names that file,
// unless a deeper layer already named the one it was at.
template <class TAction>
void OnFile(const std::string& FileName, TAction&& Action) {
  try {
    Action();
  } catch (Exception& e) {
    if (!e.Place().File.empty()) throw;
    throw std::move(e).InFile(FileName);
  }
}

}  // namespace

TWorkspace::TWorkspace() = default;

// The worker goes first: its destruction cancels the run and waits for it.
TWorkspace::~TWorkspace() {
  FWorker.reset();
}

void TWorkspace::SetProject(TProjectData Project) {
  FProject = std::move(Project);
}

bool TWorkspace::RecordChange() {
  FUntakenEdits = false;
  return FHistory.Record(FProject);
}

bool TWorkspace::CanUndo() const {
  return FHistory.CanUndo() || !FHistory.Holds(FProject);
}

// A change not yet recorded would be lost by going forward.
bool TWorkspace::CanRedo() const {
  return FHistory.CanRedo() && FHistory.Holds(FProject);
}

void TWorkspace::Undo() {
  RecordChange();
  FProject = FHistory.Undo();
}

void TWorkspace::Redo() {
  if (!CanRedo()) throw Exception(TErrorKind::Internal, SNothingToRedo);
  FUntakenEdits = false;
  FProject = FHistory.Redo();
}

void TWorkspace::NewFromSample() {
  SetProject(LoadLumarProject());
  ClearResult();
  FFileName.clear();
  FHistory.Reset(FProject);
  FUntakenEdits = false;
}

void TWorkspace::Open(const std::string& FileName) {
  TProjectData project;
  OnFile(FileName, [&] { project = LoadProject(FileName); });
  SetProject(std::move(project));
  ClearResult();
  FFileName = FileName;
  FHistory.Reset(FProject);
  FUntakenEdits = false;
}

void TWorkspace::Save() {
  SaveAs(FFileName);
}

void TWorkspace::SaveAs(const std::string& FileName) {
  OnFile(FileName, [&] { SaveProject(FileName, FProject); });
  FFileName = FileName;
  RecordChange();
  FHistory.MarkSaved();
}

int32_t TWorkspace::NextProductId() const {
  int64_t largest = 0;
  for (const TProduct& product : FProject.Products)
    largest = std::max<int64_t>(largest, product.Id);
  if (largest >= std::numeric_limits<int32_t>::max())
    throw Exception(TErrorKind::IdOutOfRange, SProductIdExhausted);
  return static_cast<int32_t>(largest + 1);
}

void TWorkspace::ImportCsv(const std::string& FileName) {
  std::vector<TProduct> imported;
  OnFile(FileName, [&] { imported = TCsvProductImporter().ImportFile(FileName); });
  int64_t next = 1;
  for (const TProduct& p : FProject.Products)
    next = std::max<int64_t>(next, int64_t{p.Id} + 1);
  if (next - 1 + static_cast<int64_t>(imported.size()) > std::numeric_limits<int32_t>::max())
    throw Exception(TErrorKind::IdOutOfRange, SProductIdOutOfRange).InFile(FileName);
  for (TProduct& p : imported)
    p.Id = static_cast<int32_t>(next++);
  FProject.Products.insert(FProject.Products.end(), imported.begin(), imported.end());
  ClearResult();
  RecordChange();
}

const TProduct* TWorkspace::ProductById(int32_t Id) const {
  const auto found = std::find_if(FProject.Products.begin(), FProject.Products.end(),
                                  [Id](const TProduct& p) { return p.Id == Id; });
  return found == FProject.Products.end() ? nullptr : &*found;
}

std::optional<TRunInput> TWorkspace::PrepareRun(const TMismatchQuestion& Ask) const {
  ValidateProject(FProject.Products, FProject.Settings);
  TRunInput input{FProject.Products, FProject.Settings, FProject.OptimizationCriterion};
  if (!ResolveVolumeMismatch(input.Products, input.Settings, Ask)) return std::nullopt;
  return input;
}

void TWorkspace::Start(TRunInput Input) {
  if (FWorker) throw Exception(TErrorKind::Internal, SCalculationRunning);
  ClearResult();
  auto worker = std::make_unique<TOptimizationWorker>(std::move(Input.Products),
                                                      std::move(Input.Settings), Input.Criterion);
  // Kept only once its thread runs, so a failed start leaves nothing to wait for.
  worker->Start();
  FWorker = std::move(worker);
}

void TWorkspace::Cancel() noexcept {
  if (FWorker) FWorker->Cancel();
}

bool TWorkspace::Poll(const TProgressCallback& OnProgress) const {
  if (!FWorker) return false;
  // Done is read before the snapshot, so the last report of an ended run is its final one.
  const bool done = FWorker->Done();
  if (OnProgress) {
    int32_t percent = 0;
    std::string stage;
    FWorker->Snapshot(percent, stage);
    OnProgress(percent, stage);
  }
  return done;
}

TProductCount TWorkspace::ProductCount() const {
  return FWorker ? FWorker->ProductCount() : TProductCount{};
}

TRunEnd TWorkspace::Finish() {
  if (!FWorker || !FWorker->Done()) throw Exception(TErrorKind::Internal, SNoCalculationEnded);
  TRunEnd end{FWorker->Output(), FWorker->Error(), FWorker->Failure()};
  FWorker.reset();
  FResult = end.Error.empty() ? end.Output : TOptimizationResult{};
  return end;
}

void TWorkspace::Export(const std::string& FileName, TExportKind Kind) const {
  OnFile(FileName, [&] {
    if (Kind == TExportKind::Json) {
      SaveResultJson(FileName, FResult, ResultStrengths(FProject.Settings, FResult));
      return;
    }
    TCsvResultExporter exporter;
    exporter.ExportFile(FileName, FProject.Products, FResult);
  });
}

void TWorkspace::WriteReport(const std::string& FileName) const {
  OnFile(FileName, [&] { ExportPdfReport(FileName, FProject, FResult); });
}

void TWorkspace::WriteReport(const std::string& FileName, const TReportOptions& Options) const {
  OnFile(FileName, [&] { ExportPdfReport(FileName, FProject, FResult, Options); });
}

}  // namespace quelmora
