// framework::Model: an application model of the host, addressed by an integer model id.
//
//   framework::Model* meeting = framework::module::GetAppModuleModel(514);
//   base::Variant answer;
//   if (meeting && meeting->Call(3, nullptr, &answer)) { ... answer["meeting_item"] ... }
//
// Models belong to the host: look them up on each use and never keep the pointer. Events are
// delivered on the UI thread to subscribers in the order they subscribed; a subscriber may
// subscribe or unsubscribe anyone, itself included, while an event is being delivered.
//
// Priority subscriptions (models that offer them, see AsPrioritySubscribable) hear an event
// before every ordinary subscriber, higher priority first, and may stop it:
//
//   if (auto* source = framework::AsPrioritySubscribable(meeting)) {
//     source->SubscribePriority(33, observer_id, 1, [](const Variant* v, bool& call_next) {
//       call_next = !HandledHere(v);   // false: nobody after this subscriber hears the event
//     });
//   }
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "base/location.h"
#include "base/threading/future.h"
#include "base/variant/variant.h"

namespace framework {

using base::variant::Variant;
template <typename T>
using Future = base::threading::Future<T>;
template <typename T>
using Promise = base::threading::Promise<T>;

using EventCallback = std::function<void(const Variant* payload)>;
// `call_next` arrives true; clearing it ends the delivery of this event.
using PriorityEventCallback = std::function<void(const Variant* payload, bool& call_next)>;

// An observable state value handed out by GetStateOf.
class TBObservableObject {
 public:
  using Observer = std::function<void(const Variant& value)>;
  explicit TBObservableObject(Variant value = {}) : value_(std::move(value)) {}
  const Variant& value() const { return value_; }
  void SetValue(Variant value);  // notifies observers when the value changes
  int Observe(Observer observer);
  void RemoveObserver(int token);

 private:
  Variant value_;
  int next_token_ = 1;
  std::map<int, Observer> observers_;
};

// Slot order is part of the contract with modules built against the real host.
class Model {
 public:
  virtual ~Model() = default;
  virtual bool Init() { return true; }
  virtual void UnInit() {}
  virtual bool Subscribe(int event_id, int64_t observer_id, EventCallback callback) = 0;
  virtual bool SubscribeWithLocation(int event_id, int64_t observer_id, EventCallback callback,
                                     const base::Location& location) = 0;
  virtual void Unsubscribe(int64_t observer_id) = 0;
  virtual void Unsubscribe(int event_id, int64_t observer_id) = 0;
  // True when the command was answered; `out` (may be null) then holds the answer.
  virtual bool Call(int command_id, const Variant* in, Variant* out) = 0;
  virtual bool P2PCall(int command_id, uint64_t target, const Variant* in, Variant* out) = 0;
  virtual Future<Variant> AsyncCall(int command_id, const Variant* in) = 0;
  virtual int type() const = 0;
  virtual std::shared_ptr<TBObservableObject> GetStateOf(int state_id, const Variant& arg) = 0;
};

// What a model offers when it supports priority subscriptions. An observer has at most one
// priority subscription per event, separate from its ordinary one; subscribing again replaces
// the callback and the priority. Among equal priorities the earlier subscriber hears first.
class PrioritySubscribable {
 public:
  virtual bool SubscribePriority(int event_id, int64_t observer_id, uint32_t priority,
                                 PriorityEventCallback callback,
                                 const base::Location& location = base::Location::Current()) = 0;
  virtual void UnsubscribePriority(int64_t observer_id) = 0;
  virtual void UnsubscribePriority(int event_id, int64_t observer_id) = 0;

 protected:
  ~PrioritySubscribable() = default;
};

// The model's priority subscriptions, or null when the model (or the pointer) offers none.
PrioritySubscribable* AsPrioritySubscribable(Model* model);

// The base of concrete models: keeps the subscriber lists and delivers events. Commands are
// left to derived classes; by default every command fails.
class ModelImpl : public Model, public PrioritySubscribable {
 public:
  explicit ModelImpl(int type) : type_(type) {}
  ~ModelImpl() override;

  bool Subscribe(int event_id, int64_t observer_id, EventCallback callback) override;
  bool SubscribeWithLocation(int event_id, int64_t observer_id, EventCallback callback,
                             const base::Location& location) override;
  void Unsubscribe(int64_t observer_id) override;
  void Unsubscribe(int event_id, int64_t observer_id) override;
  bool Call(int command_id, const Variant* in, Variant* out) override;
  bool P2PCall(int command_id, uint64_t target, const Variant* in, Variant* out) override;
  // Default: the synchronous Call's answer (null when it failed), ready at once.
  Future<Variant> AsyncCall(int command_id, const Variant* in) override;
  int type() const override { return type_; }
  std::shared_ptr<TBObservableObject> GetStateOf(int state_id, const Variant& arg) override;

  bool SubscribePriority(int event_id, int64_t observer_id, uint32_t priority, PriorityEventCallback callback,
                         const base::Location& location = base::Location::Current()) override;
  void UnsubscribePriority(int64_t observer_id) override;
  void UnsubscribePriority(int event_id, int64_t observer_id) override;

  // Delivers to the event's priority subscribers, then to its ordinary subscribers in
  // subscription order. An observer that subscribes during delivery first hears the next
  // event. False when a priority subscriber stopped the event.
  bool FireEvent(int event_id, const Variant* payload);
  // Counts take ordinary and priority subscriptions together.
  size_t SubscriberCount(int event_id) const;
  size_t SubscriberCount() const;  // over all events
  size_t PrioritySubscriberCount(int event_id) const;
  struct Subscription {
    int event_id;
    int64_t observer_id;
    base::Location location;
    bool is_priority = false;
    uint32_t priority = 0;
  };
  std::vector<Subscription> Subscriptions() const;

 private:
  struct Subscriber {
    int64_t observer_id;
    EventCallback callback;
    base::Location location;
    uint64_t serial;
    bool active;
  };
  struct PrioritySubscriber {
    int64_t observer_id;
    uint32_t priority;
    PriorityEventCallback callback;
    base::Location location;
    uint64_t serial;
    bool active;
  };
  std::shared_ptr<TBObservableObject>& StateSlot(int state_id);
  bool DeliverToPrioritySubscribers(int event_id, const Variant* payload, uint64_t bound);

  int type_;
  uint64_t next_serial_ = 1;
  std::map<int, std::vector<std::shared_ptr<Subscriber>>> subscribers_;
  // Each list is kept sorted: higher priority first, then by subscription.
  std::map<int, std::vector<std::shared_ptr<PrioritySubscriber>>> priority_subscribers_;
  std::map<int, std::shared_ptr<TBObservableObject>> states_;
};

// Runs closures on the UI thread (the main looper).
class MainThreadExecutor {
 public:
  static MainThreadExecutor* GetInstance();
  void Execute(std::function<void()> closure, const base::Location& from = base::Location::Current());
};

}  // namespace framework
