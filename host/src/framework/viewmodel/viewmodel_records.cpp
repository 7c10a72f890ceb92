#include "framework/viewmodel/viewmodel_records.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "base/log/log.h"
#include "host_internal.h"

namespace host_internal::viewmodel {
namespace {

using base::variant::Variant;

struct Alert {
  framework::AlertCallback callback;
};

struct Records {
  std::map<const framework::ViewModel*, std::map<int, std::vector<Variant>>> props;
  std::map<const framework::ViewModel*, Variant> custom_params;
  std::vector<framework::AlertRecord> alerts;
  std::map<int64_t, Alert> alert_callbacks;
  int64_t next_alert_id = 1;
  std::vector<framework::ToastRecord> toasts;
  std::vector<framework::LoadingRecord> loadings;
  int64_t next_loading_id = 1;
};

Records& TheRecords() {
  static auto* records = new Records;
  return *records;
}

void ResetRecords() { TheRecords() = Records(); }

const bool kRegistered = host_internal::RegisterReset(&ResetRecords);

framework::AlertRecord* Find(int64_t alert_id) {
  auto& alerts = TheRecords().alerts;
  auto it = std::find_if(alerts.begin(), alerts.end(), [&](const auto& a) { return a.id == alert_id; });
  return it == alerts.end() ? nullptr : &*it;
}

bool IsOpen(const framework::AlertRecord& alert) {
  return alert.state == framework::AlertState::kCreated || alert.state == framework::AlertState::kShown;
}

}  // namespace

void LogHost(int level, const char* file, int line, const char* function, const std::string& text) {
  if (base::log::GetLogLevel() < level) return;
  const char* slash = std::strrchr(file, '/');
  base::log::PrintLog("ViewModel", slash ? slash + 1 : file, line, function, level, text);
}

void RecordPropWrite(const framework::ViewModel* view_model, int prop_id, const Variant& value) {
  TheRecords().props[view_model][prop_id].push_back(value);
}

const std::vector<Variant>& PropHistory(const framework::ViewModel* view_model, int prop_id) {
  static const std::vector<Variant> kNone;
  auto& props = TheRecords().props;
  auto vm = props.find(view_model);
  if (vm == props.end()) return kNone;
  auto prop = vm->second.find(prop_id);
  return prop == vm->second.end() ? kNone : prop->second;
}

void ForgetViewModel(const framework::ViewModel* view_model) {
  TheRecords().props.erase(view_model);
  TheRecords().custom_params.erase(view_model);
}

const Variant* CustomParam(const framework::ViewModel* view_model) {
  auto& params = TheRecords().custom_params;
  auto it = params.find(view_model);
  return it == params.end() ? nullptr : &it->second;
}

void SetCustomParam(const framework::ViewModel* view_model, const Variant& value) {
  TheRecords().custom_params[view_model] = value;
}

int64_t CreateAlert(framework::AlertRecord record, framework::AlertCallback callback) {
  Records& records = TheRecords();
  record.id = records.next_alert_id++;
  record.state = framework::AlertState::kCreated;
  records.alert_callbacks[record.id] = Alert{std::move(callback)};
  records.alerts.push_back(std::move(record));
  return records.alerts.back().id;
}

bool ShowAlert(int64_t alert_id) {
  framework::AlertRecord* alert = Find(alert_id);
  if (!alert || alert->state != framework::AlertState::kCreated) return false;
  alert->state = framework::AlertState::kShown;
  return true;
}

bool DisposeAlert(int64_t alert_id, const framework::UIViewModel* owner) {
  framework::AlertRecord* alert = Find(alert_id);
  if (!alert || !IsOpen(*alert) || (owner && alert->owner != owner)) return false;
  alert->state = framework::AlertState::kDisposed;
  TheRecords().alert_callbacks.erase(alert_id);
  return true;
}

void DisposeAlertsOf(const framework::UIViewModel* owner) {
  for (auto& alert : TheRecords().alerts) {
    if (alert.owner == owner && IsOpen(alert)) DisposeAlert(alert.id, owner);
  }
}

bool PressAlertButton(int64_t alert_id, int button, const Variant& data) {
  framework::AlertRecord* alert = Find(alert_id);
  if (!alert || alert->state != framework::AlertState::kShown) return false;
  alert->presses.push_back({button, data});
  auto it = TheRecords().alert_callbacks.find(alert_id);
  framework::AlertCallback callback = it == TheRecords().alert_callbacks.end() ? nullptr : it->second.callback;
  if (alert->auto_dismiss) {
    alert->state = framework::AlertState::kAnswered;
    TheRecords().alert_callbacks.erase(alert_id);
  }
  // Last: the callback may show new alerts (moving the records) or destroy its view model.
  if (callback) callback(alert_id, button, data);
  return true;
}

const std::vector<framework::AlertRecord>& Alerts() { return TheRecords().alerts; }

const framework::AlertRecord* FindAlert(int64_t alert_id) { return Find(alert_id); }

std::vector<framework::ToastRecord>& Toasts() { return TheRecords().toasts; }

const std::vector<framework::LoadingRecord>& Loadings() { return TheRecords().loadings; }

void RecordToast(framework::ToastRecord toast) { TheRecords().toasts.push_back(std::move(toast)); }

int64_t ShowLoading(const framework::UIViewModel* owner, const std::string& text) {
  DisposeLoading(owner);
  Records& records = TheRecords();
  records.loadings.push_back({records.next_loading_id++, owner, text, false});
  return records.loadings.back().id;
}

void DisposeLoading(const framework::UIViewModel* owner) {
  for (auto& loading : TheRecords().loadings) {
    if (loading.owner == owner) loading.disposed = true;
  }
}

}  // namespace host_internal::viewmodel

