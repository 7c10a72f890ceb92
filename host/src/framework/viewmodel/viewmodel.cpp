#include "framework/viewmodel.h"

#include <algorithm>

#include "base/threading/looper.h"
#include "framework/module/module_interceptor_internal.h"
#include "framework/module_service.h"
#include "framework/viewmodel/viewmodel_records.h"

namespace framework {
namespace {

// Records outlive nothing: a model the host removed (or replaced) since is skipped.
bool IsInstalled(const Model* model) {
  const auto& models = host_internal::AppRuntime().models();
  return std::any_of(models.begin(), models.end(), [&](const auto& entry) { return entry.second.get() == model; });
}

}  // namespace

ViewModel::ViewModel() = default;

ViewModel::~ViewModel() {
  ReleaseRecordedSubscriptions();
  host_internal::viewmodel::ForgetViewModel(this);
  host_internal::interceptor::ForgetViewModel(this);
}

void ViewModel::OnViewCreated(const Variant*) {}

void ViewModel::OnViewAttached(const Variant*) {}

void ViewModel::OnViewDetached() {}

void ViewModel::HandleAction(int, const Variant*) {}

void ViewModel::OnCustomParamChanged(const Variant*, const Variant*) {}

void ViewModel::WriteProp(int prop_id, Variant value) {
  host_internal::viewmodel::RecordPropWrite(this, prop_id, value);
  props_[prop_id] = std::move(value);
}

void ViewModel::SetPropValue(int prop_id, bool value) { WriteProp(prop_id, Variant(value)); }
void ViewModel::SetPropValue(int prop_id, int value) { WriteProp(prop_id, Variant(value)); }
void ViewModel::SetPropValue(int prop_id, unsigned value) { WriteProp(prop_id, Variant(value)); }
void ViewModel::SetPropValue(int prop_id, long value) { WriteProp(prop_id, Variant(value)); }
void ViewModel::SetPropValue(int prop_id, long long value) { WriteProp(prop_id, Variant(value)); }
void ViewModel::SetPropValue(int prop_id, unsigned long value) { WriteProp(prop_id, Variant(value)); }
void ViewModel::SetPropValue(int prop_id, unsigned long long value) { WriteProp(prop_id, Variant(value)); }
void ViewModel::SetPropValue(int prop_id, double value) { WriteProp(prop_id, Variant(value)); }
void ViewModel::SetPropValue(int prop_id, const char* value) { WriteProp(prop_id, Variant(value ? value : "")); }
void ViewModel::SetPropValue(int prop_id, const Variant& value) { WriteProp(prop_id, value); }
void ViewModel::SetPropValue(int prop_id, std::nullptr_t) { WriteProp(prop_id, Variant()); }

const Variant& ViewModel::GetPropValue(int prop_id) const {
  auto it = props_.find(prop_id);
  return it == props_.end() ? Variant::EmptyVariant() : it->second;
}

void ViewModel::RecordSubscribe(Model* model, int64_t observer_id) {
  if (model) records_.emplace(model, observer_id);
}

void ViewModel::RecordPrioritySubscribe(Model* model, int64_t observer_id) {
  if (model) priority_records_.emplace(model, observer_id);
}

void ViewModel::RecordClearSubscribe(Model* model, int64_t observer_id) {
  records_.erase({model, observer_id});
  if (model && IsInstalled(model)) model->Unsubscribe(observer_id);
}

void ViewModel::RecordClearPrioritySubscribe(Model* model, int64_t observer_id) {
  priority_records_.erase({model, observer_id});
  if (!model || !IsInstalled(model)) return;
  if (PrioritySubscribable* source = AsPrioritySubscribable(model)) source->UnsubscribePriority(observer_id);
}

void ViewModel::ReleaseRecordedSubscriptions() {
  // Swapped out first: unsubscribing may run code that records again.
  std::set<Record> records;
  records.swap(records_);
  for (const auto& [model, observer_id] : records) RecordClearSubscribe(model, observer_id);
  std::set<Record> priority_records;
  priority_records.swap(priority_records_);
  for (const auto& [model, observer_id] : priority_records) RecordClearPrioritySubscribe(model, observer_id);
}

bool ViewModel::IsHitActionThreshold(int action_id, int64_t threshold_ms) const {
  auto it = last_action_ms_.find(action_id);
  return it != last_action_ms_.end() && base::threading::NowTicksMs() - it->second < threshold_ms;
}

void ViewModel::RecordLastAction4Threshold(int action_id) {
  last_action_ms_[action_id] = base::threading::NowTicksMs();
}

}  // namespace framework
