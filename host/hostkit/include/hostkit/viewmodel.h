// hostkit: drive view models as the host's views would, and read what they showed.
//
//   MyViewModel vm;
//   hostkit::AttachViewModel(vm, hostkit::Json(R"({"from": "test"})"));
//   hostkit::FireAction(vm, 191578, hostkit::Json(R"({"menu_x": 1, "menu_y": 2})"));
//   EXPECT_EQ(vm.GetPropValue(747314).GetString("title"), "...");
//   const hostkit::AlertRecord* alert = hostkit::LastAlert();
//   hostkit::PressAlertButton(alert->id, framework::AlertButton::kPositive);
//   hostkit::DetachViewModel(vm);
//   EXPECT_EQ(hostkit::SubscriptionsOf(&vm), 0u);   // nothing left behind
//
// Attach runs OnViewCreated on the first attach only, then the attach hooks; detach runs the
// detach hooks and releases the recorded subscriptions. Records (alerts, toasts, loading
// indicators, property writes) are cleared by hostkit::Reset().
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/variant/variant.h"
#include "framework/alert_record.h"
#include "framework/context.h"
#include "framework/loading_record.h"
#include "framework/toast_record.h"

namespace framework {
class ViewModel;
class UIViewModel;
}  // namespace framework

namespace hostkit {

using base::variant::Variant;

// Lifecycle. False (and a log line) when the view is already attached, or not attached.
// Without a context, the first attach gives the view model one with a fresh view reference.
bool AttachViewModel(framework::ViewModel& view_model, std::shared_ptr<const framework::Context> context = nullptr);
bool AttachViewModel(framework::ViewModel& view_model, const Variant& params,
                     std::shared_ptr<const framework::Context> context = nullptr);
bool DetachViewModel(framework::ViewModel& view_model);
// Hides or shows an attached view (is_view_visible); every attach shows it.
void SetViewVisible(framework::ViewModel& view_model, bool visible);
// The view's custom parameters change to `value` (OnCustomParamChanged, with the previous value
// or null the first time).
void SetCustomParam(framework::ViewModel& view_model, const Variant& value);
void FireAction(framework::ViewModel& view_model, int action_id);  // null parameters
void FireAction(framework::ViewModel& view_model, int action_id, const Variant& params);

// Every value written to the property, oldest first (also unchanged values).
const std::vector<Variant>& PropHistory(const framework::ViewModel& view_model, int prop_id);

// Subscriptions, ordinary and priority, that this observer holds on installed models.
size_t SubscriptionsOf(int64_t observer_id);
size_t SubscriptionsOf(const void* observer);  // the observer id of an address

// Alerts.
using AlertState = framework::AlertState;
const char* AlertStateName(AlertState state);
using AlertPress = framework::AlertPress;
using AlertRecord = framework::AlertRecord;
const std::vector<AlertRecord>& Alerts();  // in creation order
const AlertRecord* FindAlert(int64_t alert_id);
const AlertRecord* LastAlert();  // null when none was made
size_t OpenAlertCount();         // shown and not closed
// Presses a button of a shown alert and runs its callback; false (nothing runs) when the
// alert is not open.
bool PressAlertButton(int64_t alert_id, int button, const Variant& data = {});

// Toasts.
using ToastRecord = framework::ToastRecord;
const std::vector<ToastRecord>& Toasts();
void ClearToasts();

// Loading indicators.
using LoadingRecord = framework::LoadingRecord;
const std::vector<LoadingRecord>& Loadings();  // every indicator shown, in order
bool IsLoadingShown(const framework::UIViewModel& view_model);

// Application lifecycle, as the host announces it to util::applifecycle listeners.
void NotifyAppPause();
void NotifyAppResume(uint64_t background_ms);
size_t AppLifecycleListenerCount();

}  // namespace hostkit
