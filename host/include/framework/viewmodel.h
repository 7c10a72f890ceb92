// framework::ViewModel: the state behind one view. The view reads properties by id and sends
// actions by id; the host tells the view model when its view is created, attached and detached.
//
//   class ClockViewModel : public framework::ViewModel {
//     void OnViewAttached(const Variant*) override {
//       framework::Model* model = framework::module::GetAppModuleModel(516);
//       if (!model) return;
//       const int64_t me = reinterpret_cast<intptr_t>(this);
//       RecordSubscribe(model, me);                  // released when the view detaches
//       model->Subscribe(3, me, [this](const Variant* v) { SetPropValue(7, v ? *v : Variant()); });
//     }
//   };
//
// Detaching the view releases every recorded subscription (after OnViewDetached), and so does
// destroying the view model. Everything runs on the UI thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <utility>

#include "base/variant/variant.h"
#include "framework/context.h"
#include "framework/model.h"

namespace host_internal {
struct ViewModelDriver;
}

namespace framework {

class ViewModel : public std::enable_shared_from_this<ViewModel> {
 public:
  ViewModel();
  ViewModel(const ViewModel&) = delete;
  ViewModel& operator=(const ViewModel&) = delete;
  virtual ~ViewModel();

  // Called by the host: created once, then attached and detached, possibly several times.
  virtual void OnViewCreated(const Variant* params);
  virtual void OnViewAttached(const Variant* params);
  virtual void OnViewDetached();
  virtual void HandleAction(int action_id, const Variant* params);
  // The view's custom parameters (what its owner configured it with) changed; `old_value` is
  // null the first time.
  virtual void OnCustomParamChanged(const Variant* old_value, const Variant* new_value);

  // Properties the view reads. Every write reaches the view, also of an unchanged value.
  void SetPropValue(int prop_id, bool value);
  void SetPropValue(int prop_id, int value);
  void SetPropValue(int prop_id, unsigned value);
  void SetPropValue(int prop_id, long value);
  void SetPropValue(int prop_id, long long value);
  void SetPropValue(int prop_id, unsigned long value);
  void SetPropValue(int prop_id, unsigned long long value);
  void SetPropValue(int prop_id, double value);
  void SetPropValue(int prop_id, const char* value);  // a null pointer writes ""
  void SetPropValue(int prop_id, const Variant& value);
  void SetPropValue(int prop_id, std::nullptr_t);     // writes a null value
  // Null when the property was never written.
  const Variant& GetPropValue(int prop_id) const;

  // Subscription records: what the host releases at detach. One record per (model, observer);
  // recording twice changes nothing.
  void RecordSubscribe(Model* model, int64_t observer_id);
  void RecordPrioritySubscribe(Model* model, int64_t observer_id);
  // Unsubscribes the observer from every event of the model and forgets the record.
  void RecordClearSubscribe(Model* model, int64_t observer_id);
  void RecordClearPrioritySubscribe(Model* model, int64_t observer_id);
  // Releases every record, skipping models the host has removed meanwhile.
  void ReleaseRecordedSubscriptions();
  size_t RecordedSubscriptionCount() const { return records_.size() + priority_records_.size(); }

  // Where the view lives; set by the host when it attaches the view. Null before.
  std::shared_ptr<const Context> context() const { return context_; }
  void set_context(std::shared_ptr<const Context> context) { context_ = std::move(context); }
  bool is_view_attached() const { return attached_; }
  bool is_view_created() const { return created_; }
  // Attached and not hidden by the host (a minimised window, a covered tab).
  bool is_view_visible() const { return attached_ && visible_; }

  // The kind of view model, as the host's create and release hooks report it.
  int view_model_type() const { return view_model_type_; }
  void set_view_model_type(int type) { view_model_type_ = type; }

  // Repeated-click guard: true when `action_id` was recorded less than `threshold_ms` ago.
  bool IsHitActionThreshold(int action_id, int64_t threshold_ms) const;
  void RecordLastAction4Threshold(int action_id);

 private:
  friend struct host_internal::ViewModelDriver;
  using Record = std::pair<Model*, int64_t>;
  void WriteProp(int prop_id, Variant value);

  std::map<int, Variant> props_;
  std::set<Record> records_;
  std::set<Record> priority_records_;
  std::shared_ptr<const Context> context_;
  std::map<int, int64_t> last_action_ms_;
  int view_model_type_ = 0;
  bool created_ = false;
  bool attached_ = false;
  bool visible_ = true;
};

}  // namespace framework
