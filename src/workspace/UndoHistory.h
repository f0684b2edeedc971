#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "model/OptimizationModel.h"

namespace quelmora {

// One recorded state of the project. A product equal to the one in the
// state before it is shared with that state, and a product list that did
// not change at all is shared whole, so a step on a large project costs its
// list of pointers and the products it changed, not a copy of every product.
struct TProjectState {
  using TProducts = std::vector<std::shared_ptr<const TProduct>>;
  std::shared_ptr<const TProducts> Products;
  TOptimizationSettings Settings;
  TCriterionKind Criterion = ckCostPerVolume;
};

bool SameProject(const TProjectState& A, const TProjectState& B);
TProjectData MakeProject(const TProjectState& State);

// How much history is kept: at most MaxSteps steps back, and the states
// together at most about MaxBytes (products and pointer lists). The oldest
// states go first; the current state always stays.
struct THistoryLimits {
  size_t MaxSteps = 100;
  size_t MaxBytes = size_t{64} << 20;
};

// The project's states in order, a position among them and the saved state.
// The saved state is held apart, so it stays comparable after the states
// around it were dropped by the limits or by a new change after undo.
class TUndoHistory {
 public:
  explicit TUndoHistory(THistoryLimits Limits = {});

  // Forgets every state: Project is the only one, and the saved one.
  void Reset(const TProjectData& Project);
  // Appends Project after the current state, dropping the states ahead of
  // it; false and nothing recorded when it equals the current state.
  bool Record(const TProjectData& Project);

  // True when Project equals the current state.
  bool Holds(const TProjectData& Project) const;

  bool CanUndo() const { return FPosition > 0; }
  bool CanRedo() const { return FPosition + 1 < FStates.size(); }
  // The state one step back or forward; raises when there is none.
  TProjectData Undo();
  TProjectData Redo();

  void MarkSaved();
  // True when the current state equals the saved one.
  bool AtSaved() const { return FAtSaved; }

  size_t StateCount() const { return FStates.size(); }
  size_t Position() const { return FPosition; }
  // The bytes the kept states hold, each shared product counted once.
  size_t Bytes() const;

 private:
  struct TEntry {
    TProjectState State;
    size_t Bytes = 0;  // what this state added to the one before it
  };

  // The bytes it allocates beyond the current state go to AddedBytes.
  TProjectState Share(const TProjectData& Project, size_t& AddedBytes) const;
  void Trim();
  void Moved();

  THistoryLimits FLimits;
  std::vector<TEntry> FStates;
  size_t FPosition = 0;
  TProjectState FSaved;
  bool FAtSaved = true;
};

}  // namespace quelmora
