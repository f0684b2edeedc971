#include "workspace/UndoHistory.h"

#include <unordered_map>
#include <utility>

#include "model/ErrorTexts.h"
#include "model/Errors.h"

namespace quelmora {

namespace {

// A product's own allocation with its control block, and a name too long
// for the string's inner buffer.
size_t ProductBytes(const TProduct& Product) {
  const size_t name =
      Product.Name.capacity() > std::string().capacity() ? Product.Name.capacity() + 1 : 0;
  return sizeof(TProduct) + 2 * sizeof(void*) + name;
}

size_t ListBytes(const TProjectState::TProducts& Products) {
  return sizeof(TProjectState::TProducts) + Products.capacity() * sizeof(Products[0]);
}

size_t FullBytes(const TProjectState& State) {
  size_t bytes = ListBytes(*State.Products);
  for (const auto& product : *State.Products)
    bytes += ProductBytes(*product);
  return bytes;
}

bool SameProducts(const TProjectState::TProducts& A, const std::vector<TProduct>& B) {
  if (A.size() != B.size()) return false;
  for (size_t i = 0; i < A.size(); ++i)
    if (!(*A[i] == B[i])) return false;
  return true;
}

}  // namespace

bool SameProject(const TProjectState& A, const TProjectState& B) {
  if (!(A.Settings == B.Settings) || A.Criterion != B.Criterion) return false;
  if (A.Products == B.Products) return true;
  const TProjectState::TProducts& a = *A.Products;
  const TProjectState::TProducts& b = *B.Products;
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && !(*a[i] == *b[i])) return false;
  return true;
}

TProjectData MakeProject(const TProjectState& State) {
  TProjectData project;
  project.Products.reserve(State.Products->size());
  for (const auto& product : *State.Products)
    project.Products.push_back(*product);
  project.Settings = State.Settings;
  project.OptimizationCriterion = State.Criterion;
  return project;
}

TUndoHistory::TUndoHistory(THistoryLimits Limits) : FLimits(Limits) {
  Reset(TProjectData{});
}

void TUndoHistory::Reset(const TProjectData& Project) {
  FStates.clear();
  size_t bytes = 0;
  TProjectState state = Share(Project, bytes);
  FStates.push_back({state, bytes});
  FPosition = 0;
  FSaved = std::move(state);
  FAtSaved = true;
}

// Products are matched with the current state's: at the same place first,
// then by Id, which finds them again after an insertion or a deletion.
TProjectState TUndoHistory::Share(const TProjectData& Project, size_t& AddedBytes) const {
  TProjectState state{nullptr, Project.Settings, Project.OptimizationCriterion};
  AddedBytes = 0;
  if (!FStates.empty()) {
    const auto& before = FStates[FPosition].State.Products;
    if (SameProducts(*before, Project.Products)) {
      state.Products = before;
      return state;
    }
  }
  static const TProjectState::TProducts None;
  const TProjectState::TProducts& before =
      FStates.empty() ? None : *FStates[FPosition].State.Products;
  std::unordered_map<int32_t, size_t> byId;
  auto products = std::make_shared<TProjectState::TProducts>();
  products->reserve(Project.Products.size());
  for (size_t i = 0; i < Project.Products.size(); ++i) {
    const TProduct& product = Project.Products[i];
    if (i < before.size() && *before[i] == product) {
      products->push_back(before[i]);
      continue;
    }
    if (byId.empty())
      for (size_t j = before.size(); j-- > 0;)
        byId[before[j]->Id] = j;
    const auto found = byId.find(product.Id);
    if (found != byId.end() && *before[found->second] == product)
      products->push_back(before[found->second]);
    else {
      products->push_back(std::make_shared<const TProduct>(product));
      AddedBytes += ProductBytes(product);
    }
  }
  AddedBytes += ListBytes(*products);
  state.Products = std::move(products);
  return state;
}

bool TUndoHistory::Holds(const TProjectData& Project) const {
  const TProjectState& current = FStates[FPosition].State;
  return current.Settings == Project.Settings &&
         current.Criterion == Project.OptimizationCriterion &&
         SameProducts(*current.Products, Project.Products);
}

bool TUndoHistory::Record(const TProjectData& Project) {
  if (Holds(Project)) return false;
  size_t bytes = 0;
  TProjectState state = Share(Project, bytes);
  FStates.resize(FPosition + 1);
  FStates.push_back({std::move(state), bytes});
  ++FPosition;
  Trim();
  Moved();
  return true;
}

TProjectData TUndoHistory::Undo() {
  if (!CanUndo()) throw Exception(TErrorKind::Internal, SNothingToUndo);
  --FPosition;
  Moved();
  return MakeProject(FStates[FPosition].State);
}

TProjectData TUndoHistory::Redo() {
  if (!CanRedo()) throw Exception(TErrorKind::Internal, SNothingToRedo);
  ++FPosition;
  Moved();
  return MakeProject(FStates[FPosition].State);
}

void TUndoHistory::MarkSaved() {
  FSaved = FStates[FPosition].State;
  FAtSaved = true;
}

size_t TUndoHistory::Bytes() const {
  size_t bytes = 0;
  for (const TEntry& entry : FStates)
    bytes += entry.Bytes;
  return bytes;
}

// The oldest state goes while the history is too long or too large; the
// next one then holds everything it shared with it.
void TUndoHistory::Trim() {
  while (FPosition > 0 && (FStates.size() - 1 > FLimits.MaxSteps || Bytes() > FLimits.MaxBytes)) {
    FStates.erase(FStates.begin());
    --FPosition;
    FStates.front().Bytes = FullBytes(FStates.front().State);
  }
}

void TUndoHistory::Moved() {
  FAtSaved = SameProject(FStates[FPosition].State, FSaved);
}

}  // namespace quelmora
