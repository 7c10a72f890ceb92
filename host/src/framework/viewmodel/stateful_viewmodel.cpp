#include "framework/stateful_viewmodel.h"

namespace framework {

void StatefulViewModel::InitState(int state) {
  current_state_ = state;
  Publish();
}

void StatefulViewModel::SetStatefulData(int state, const Variant* data) {
  if (data) {
    state_data_[state] = *data;
  } else {
    state_data_.erase(state);
  }
  current_state_ = state;
  Publish();
}

const Variant& StatefulViewModel::GetStatefulData(int state) const {
  auto it = state_data_.find(state);
  return it == state_data_.end() ? Variant::EmptyVariant() : it->second;
}

void StatefulViewModel::Publish() {
  SetPropValue(kCurrentStateProp, current_state_);
  SetPropValue(kStatefulDataProp, GetStatefulData(current_state_));
}

}  // namespace framework
