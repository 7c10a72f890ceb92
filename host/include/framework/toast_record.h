// framework::ToastRecord: one toast a view model showed (UIViewModel::ShowToast), as the
// stand-in keeps it, with the manual clock's time it was shown at.
//
//   const framework::ToastRecord& toast = ...;
//   if (toast.owner == &view_model && toast.duration_ms > 0) ...
#pragma once

#include <cstdint>
#include <string>

namespace framework {

class UIViewModel;

struct ToastRecord {
  std::string text;
  int type = 0;
  int duration_ms = 0;
  int flags = 0;
  std::string icon;
  std::string extra;
  const UIViewModel* owner = nullptr;
  int64_t shown_at_ms = 0;
};

}  // namespace framework
