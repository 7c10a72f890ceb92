// What the host keeps about view models outside of them: property writes, alerts, toasts and
// loading indicators. hostkit reads these records; the view-model classes write them. Not
// installed; not for modules.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/variant/variant.h"
#include "framework/alert_builder.h"
#include "framework/alert_record.h"
#include "framework/loading_record.h"
#include "framework/toast_record.h"

namespace framework {
class ViewModel;
class UIViewModel;
}  // namespace framework

namespace host_internal::viewmodel {

void LogHost(int level, const char* file, int line, const char* function, const std::string& text);

void RecordPropWrite(const framework::ViewModel* view_model, int prop_id, const base::variant::Variant& value);
const std::vector<base::variant::Variant>& PropHistory(const framework::ViewModel* view_model, int prop_id);
void ForgetViewModel(const framework::ViewModel* view_model);
// The custom parameters the view was last configured with; null before the first.
const base::variant::Variant* CustomParam(const framework::ViewModel* view_model);
void SetCustomParam(const framework::ViewModel* view_model, const base::variant::Variant& value);

// Alerts: created hidden, then shown; an id is never reused within a run.
int64_t CreateAlert(framework::AlertRecord record, framework::AlertCallback callback);
bool ShowAlert(int64_t alert_id);
// Closes an alert without an answer; false when it was not open. Only the owner's own alerts
// are touched when `owner` is given.
bool DisposeAlert(int64_t alert_id, const framework::UIViewModel* owner);
void DisposeAlertsOf(const framework::UIViewModel* owner);
bool PressAlertButton(int64_t alert_id, int button, const base::variant::Variant& data);
const std::vector<framework::AlertRecord>& Alerts();
const framework::AlertRecord* FindAlert(int64_t alert_id);

void RecordToast(framework::ToastRecord toast);
int64_t ShowLoading(const framework::UIViewModel* owner, const std::string& text);
void DisposeLoading(const framework::UIViewModel* owner);
std::vector<framework::ToastRecord>& Toasts();
const std::vector<framework::LoadingRecord>& Loadings();

}  // namespace host_internal::viewmodel
