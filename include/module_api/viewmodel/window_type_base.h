// velto::WindowTypeBase<Base>: a view model that knows which in-meeting window it lives in
// (main or secondary), from its attach params' "view_params"/"window_type".
//
//   class ChatPanelViewModel : public velto::WindowTypeExtensionViewModel {
//     void Refresh() { if (InSecondaryWindow()) ... }
//   };
#pragma once

#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"
#include "module_api/in_meeting/in_meeting_types.h"
#include "module_api/viewmodel/authorize_viewmodel.h"
#include "module_api/viewmodel/extension_viewmodel.h"

namespace velto {

template <typename Base>
class VELTO_API WindowTypeBase : public Base {
 public:
  // Starts in the main window; the authorization base hears failures at priority 12.
  WindowTypeBase();
  ~WindowTypeBase() override;

  void OnViewAttached(const base::variant::Variant* params) override;

  // 0 main, 1 secondary; any other value the host sends is kept as it is.
  InMeetingWindow::WindowType window_type() const { return window_type_; }
  // "main", "secondary", or "" for other values.
  const std::string& GetWindowTypeDesc() const { return window_type_desc_; }
  bool InMainWindow() const { return window_type_ == InMeetingWindow::kMainWindow; }
  bool InSecondaryWindow() const { return window_type_ == InMeetingWindow::kSecondaryWindow; }

 private:
  InMeetingWindow::WindowType window_type_ = InMeetingWindow::kMainWindow;
  std::string window_type_desc_ = "main";
};

extern template class VELTO_API
    WindowTypeBase<AuthorizeViewModelT<ExtensionViewModelT<framework::StatefulViewModel, 0>>>;
using WindowTypeExtensionViewModel =
    WindowTypeBase<AuthorizeViewModelT<ExtensionViewModelT<framework::StatefulViewModel, 0>>>;

}  // namespace velto
