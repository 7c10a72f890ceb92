// framework::UIViewModel: a view model that also speaks to the user: localized texts, toasts,
// a loading indicator, alerts (framework::AlertBuilder) and page navigation.
//
//   void OnSaveClicked() {
//     ShowLoading();
//     ...
//     DisposeLoading();
//     ShowToast(FormatString(kSavedId).Arg("name", name).Str());
//     Navigate(framework::PageStack::kWindow).Push("velto://page/home", Variant());
//   }
//
// The host calls the lifecycle hooks around the view model's own handlers: AttachedBefore,
// OnViewAttached, AttachedAfter; DetachedBefore, OnViewDetached, (subscriptions released),
// DetachedAfter; HandleActionBefore, HandleAction, HandleActionAfter. Destroying the view
// model disposes its alerts and its loading indicator.
#pragma once

#include <cstdint>
#include <string>

#include "base/threading/future.h"
#include "framework/alert_builder.h"
#include "framework/module/navigator.h"
#include "framework/string_formatter.h"
#include "framework/viewmodel.h"

namespace framework {

class UIViewModel : public ViewModel {
 public:
  UIViewModel() = default;
  ~UIViewModel() override;

  virtual void OnViewModelAttachedBefore(const Variant* params);
  virtual void OnViewModelAttachedAfter(const Variant* params);
  virtual void OnViewModelDetachedBefore();
  virtual void OnViewModelDetachedAfter();
  virtual void OnViewModelHandleActionBefore(int action_id, const Variant* params);
  virtual void OnViewModelHandleActionAfter(int action_id, const Variant* params);

  // The text of a resource string id in the current language ("" when unknown).
  std::string GetLocalizedString(int32_t string_id) const;
  // A formatter over that text, for its named placeholders.
  StringFormatter FormatString(int32_t string_id) const;

  void ShowToast(const std::string& text, int type = 0, int duration_ms = 2000, int flags = 0,
                 const std::string& icon = {}, const std::string& extra = {});
  // One indicator per view model: showing again replaces the text. Returns its id.
  int64_t ShowLoading(const std::string& text = {});
  void DisposeLoading();  // nothing when none is shown

  // Alerts shown by this view model; other view models' alerts are left alone.
  void DisposeAlert(int64_t alert_id);
  void DisposeAllAlerts();

  // A navigator on one page stack of this view's window (the main window before attach).
  module::Navigator Navigate(PageStack page_stack = PageStack::kCurrent) const;
  // Pushes `page` there; the future completes with the page's result.
  base::threading::Future<Variant> Navigate(const std::string& page, const Variant& arguments,
                                            PageStack page_stack = PageStack::kCurrent) const;
};

}  // namespace framework
