#include "module_api/account/finite_state_logic.h"

#include <utility>

namespace velto_common::utils {

FiniteStateLogic::FiniteStateLogic(std::vector<int32_t> states, std::vector<tagStateArc> arcs,
                                   TransitionCallback on_transition, StateCallback on_state)
    : states_(states.begin(), states.end()),
      on_transition_(std::move(on_transition)),
      on_state_(std::move(on_state)) {
  // set::insert keeps the element already present, which is what makes the first arc win.
  for (const tagStateArc& arc : arcs) arcs_.insert(arc);
}

void FiniteStateLogic::GoToState(int32_t state) {
  if (states_.count(state)) current_state_ = state;
}

bool FiniteStateLogic::HandleActionForFsm(int32_t action, const Variant* param) {
  auto arc = arcs_.find(tagStateArc{current_state_, 0, action});
  if (arc == arcs_.end()) return false;
  const int32_t old_state = current_state_;
  const int32_t new_state = arc->to_state;
  GoToState(new_state);
  // A callback may drive this machine again or release its owner: keep the owner alive when
  // there is one and call copies, so that neither callback runs on a destroyed object.
  const std::shared_ptr<FiniteStateLogic> keep_alive = weak_from_this().lock();
  const TransitionCallback on_transition = on_transition_;
  const StateCallback on_state = on_state_;
  Variant result;
  if (on_transition) on_transition(old_state, new_state, param, &result);
  if (on_state) on_state(new_state, &result);
  return true;
}

}  // namespace velto_common::utils
