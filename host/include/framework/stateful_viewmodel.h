// framework::StatefulViewModel: a view model whose view shows one of several states (a list,
// an empty page, an error page ...), each with its own data. The current state and its data
// are published as the properties kCurrentStateProp and kStatefulDataProp.
//
//   InitState(kLoading);
//   ...
//   Variant rows = ...;
//   SetStatefulData(kList, &rows);   // the view switches to the list with these rows
//
// It is also a DisposeBag, so observers it sets up can be undone when it goes away.
#pragma once

#include <map>

#include "framework/dispose_bag.h"
#include "framework/ui_viewmodel.h"

namespace framework {

class StatefulViewModel : public UIViewModel, public DisposeBag {
 public:
  // Property ids reserved for the state; module property ids are positive.
  static constexpr int kCurrentStateProp = -1;
  static constexpr int kStatefulDataProp = -2;

  StatefulViewModel() = default;
  ~StatefulViewModel() override = default;

  // Sets the starting state (its data, if any, is kept); publishes it.
  void InitState(int state);
  // Stores the state's data (null clears it), makes the state current and publishes both.
  void SetStatefulData(int state, const Variant* data);
  int GetCurrentState() const { return current_state_; }
  // The data last stored for the state; null when none.
  const Variant& GetStatefulData(int state) const;

 private:
  void Publish();

  int current_state_ = 0;
  std::map<int, Variant> state_data_;
};

}  // namespace framework
