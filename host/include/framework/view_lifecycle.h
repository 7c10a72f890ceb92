// framework::ViewLifecycle: where a view stands in its life, as the host reports it to the
// managers that serve the view (for example whether its pictures may be pulled at full quality).
//
//   manager.LifecycleStateChanged(framework::kViewLifecycleBackground);
#pragma once

#include <cstdint>

namespace framework {

enum ViewLifecycle : int32_t {
  kViewLifecycleNone = 0,        // not reported yet
  kViewLifecycleShown = 1,       // on screen
  kViewLifecycleBackground = 2,  // its window went to the back: the view is not looked at
  kViewLifecycleHidden = 3,      // hidden by the host
  kViewLifecycleDestroyed = 4,
  kViewLifecycleForeground = 5,  // back to the front
};

}  // namespace framework
