// A table-driven state machine for view models: declare the states and the arcs
// (from state, action, to state) once, then feed it every user action.
//
//   velto_common::utils::FiniteStateLogic fsm(
//       {kIdle, kEditing, kSaving},
//       {{kIdle, kEditing, kActionEdit}, {kEditing, kSaving, kActionSave}},
//       [](int from, int to, const Variant* param, Variant* result) { ... },
//       [](int state, const Variant* result) { ... });
//   fsm.HandleActionForFsm(kActionEdit, nullptr);  // true: kIdle -> kEditing
//
// The machine starts in state 0, declared or not. No locking: use it from the UI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils {

struct VELTO_API tagStateArc {
  int32_t from_state = 0;
  int32_t to_state = 0;
  int32_t action = 0;
};

class VELTO_API FiniteStateLogic : public std::enable_shared_from_this<FiniteStateLogic> {
 public:
  using Variant = base::variant::Variant;
  using TransitionCallback = std::function<void(int32_t from, int32_t to, const Variant* param, Variant* result)>;
  using StateCallback = std::function<void(int32_t state, const Variant* result)>;

  // Of two arcs with the same (from_state, action), the one listed first is kept.
  FiniteStateLogic(std::vector<int32_t> states, std::vector<tagStateArc> arcs,
                   TransitionCallback on_transition = nullptr, StateCallback on_state = nullptr);

  int32_t GetState() const { return current_state_; }
  // Moves to `state` when it is declared; otherwise nothing happens. Runs no callback.
  void GoToState(int32_t state);
  // Follows the arc for (current state, action): the state changes when the target is
  // declared, then the transition callback and the state callback run, sharing one result
  // Variant. True when an arc was followed, even to an undeclared state; false (and nothing
  // runs) when no arc leaves the current state on this action.
  bool HandleActionForFsm(int32_t action, const Variant* param);

 private:
  // Arcs are unique by (from_state, action); to_state does not take part in the order.
  struct ArcOrder {
    bool operator()(const tagStateArc& a, const tagStateArc& b) const {
      return a.from_state != b.from_state ? a.from_state < b.from_state : a.action < b.action;
    }
  };

  int32_t current_state_ = 0;
  std::set<int32_t> states_;
  std::set<tagStateArc, ArcOrder> arcs_;
  TransitionCallback on_transition_;
  StateCallback on_state_;
};

}  // namespace velto_common::utils
