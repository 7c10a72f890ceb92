#include "framework/model.h"

#include <algorithm>

#include "base/threading/looper.h"

namespace framework {

void TBObservableObject::SetValue(Variant value) {
  if (value == value_) return;
  value_ = std::move(value);
  // Copy first: an observer may remove itself or others.
  auto observers = observers_;
  for (auto& [token, observer] : observers) {
    if (observers_.count(token)) observer(value_);
  }
}

int TBObservableObject::Observe(Observer observer) {
  const int token = next_token_++;
  observers_.emplace(token, std::move(observer));
  return token;
}

void TBObservableObject::RemoveObserver(int token) { observers_.erase(token); }

ModelImpl::~ModelImpl() = default;

bool ModelImpl::Subscribe(int event_id, int64_t observer_id, EventCallback callback) {
  return SubscribeWithLocation(event_id, observer_id, std::move(callback), base::Location());
}

bool ModelImpl::SubscribeWithLocation(int event_id, int64_t observer_id, EventCallback callback,
                                      const base::Location& location) {
  if (!callback) return false;
  auto& list = subscribers_[event_id];
  // One subscription per observer and event: a second one replaces the callback, as the
  // observer id is the only handle the observer has to unsubscribe with.
  for (auto& subscriber : list) {
    if (subscriber->active && subscriber->observer_id == observer_id) {
      subscriber->callback = std::move(callback);
      subscriber->location = location;
      return true;
    }
  }
  list.push_back(std::make_shared<Subscriber>(
      Subscriber{observer_id, std::move(callback), location, next_serial_++, true}));
  return true;
}

void ModelImpl::Unsubscribe(int64_t observer_id) {
  for (auto& [event_id, list] : subscribers_) Unsubscribe(event_id, observer_id);
}

void ModelImpl::Unsubscribe(int event_id, int64_t observer_id) {
  auto it = subscribers_.find(event_id);
  if (it == subscribers_.end()) return;
  auto& list = it->second;
  for (auto& subscriber : list) {
    if (subscriber->observer_id == observer_id) subscriber->active = false;
  }
  list.erase(std::remove_if(list.begin(), list.end(), [](const auto& s) { return !s->active; }),
             list.end());
}

bool ModelImpl::Call(int, const Variant*, Variant*) { return false; }

bool ModelImpl::P2PCall(int, uint64_t, const Variant*, Variant*) { return false; }

Future<Variant> ModelImpl::AsyncCall(int command_id, const Variant* in) {
  Promise<Variant> promise;
  Variant answer;
  if (!Call(command_id, in, &answer)) answer = Variant();
  promise.SetValue(std::move(answer));
  return promise.GetFuture();
}

std::shared_ptr<TBObservableObject>& ModelImpl::StateSlot(int state_id) {
  auto& slot = states_[state_id];
  if (!slot) slot = std::make_shared<TBObservableObject>();
  return slot;
}

std::shared_ptr<TBObservableObject> ModelImpl::GetStateOf(int state_id, const Variant&) {
  return StateSlot(state_id);
}

bool ModelImpl::SubscribePriority(int event_id, int64_t observer_id, uint32_t priority,
                                  PriorityEventCallback callback, const base::Location& location) {
  if (!callback) return false;
  UnsubscribePriority(event_id, observer_id);  // a new priority means a new place in the list
  auto& list = priority_subscribers_[event_id];
  auto entry = std::make_shared<PrioritySubscriber>(
      PrioritySubscriber{observer_id, priority, std::move(callback), location, next_serial_++, true});
  // After every subscriber of the same or a higher priority.
  auto at = std::find_if(list.begin(), list.end(), [&](const auto& s) { return s->priority < priority; });
  list.insert(at, std::move(entry));
  return true;
}

void ModelImpl::UnsubscribePriority(int64_t observer_id) {
  for (auto& [event_id, list] : priority_subscribers_) UnsubscribePriority(event_id, observer_id);
}

void ModelImpl::UnsubscribePriority(int event_id, int64_t observer_id) {
  auto it = priority_subscribers_.find(event_id);
  if (it == priority_subscribers_.end()) return;
  auto& list = it->second;
  for (auto& subscriber : list) {
    if (subscriber->observer_id == observer_id) subscriber->active = false;
  }
  list.erase(std::remove_if(list.begin(), list.end(), [](const auto& s) { return !s->active; }),
             list.end());
}

bool ModelImpl::DeliverToPrioritySubscribers(int event_id, const Variant* payload, uint64_t bound) {
  auto it = priority_subscribers_.find(event_id);
  if (it == priority_subscribers_.end()) return true;
  const auto snapshot = it->second;
  for (const auto& subscriber : snapshot) {
    if (!subscriber->active || subscriber->serial >= bound) continue;
    PriorityEventCallback callback = subscriber->callback;
    bool call_next = true;
    callback(payload, call_next);
    if (!call_next) return false;
  }
  return true;
}

bool ModelImpl::FireEvent(int event_id, const Variant* payload) {
  // Deliver to snapshots so that (un)subscribing during delivery is safe; the serial bound
  // keeps newcomers for the next event and the active flag skips those removed meanwhile.
  const uint64_t bound = next_serial_;
  if (!DeliverToPrioritySubscribers(event_id, payload, bound)) return false;
  auto it = subscribers_.find(event_id);
  if (it == subscribers_.end()) return true;
  const auto snapshot = it->second;
  for (const auto& subscriber : snapshot) {
    if (subscriber->active && subscriber->serial < bound) {
      EventCallback callback = subscriber->callback;  // the callback may replace itself
      callback(payload);
    }
  }
  return true;
}

size_t ModelImpl::SubscriberCount(int event_id) const {
  auto it = subscribers_.find(event_id);
  return (it == subscribers_.end() ? 0 : it->second.size()) + PrioritySubscriberCount(event_id);
}

size_t ModelImpl::SubscriberCount() const {
  size_t total = 0;
  for (const auto& [event_id, list] : subscribers_) total += list.size();
  for (const auto& [event_id, list] : priority_subscribers_) total += list.size();
  return total;
}

size_t ModelImpl::PrioritySubscriberCount(int event_id) const {
  auto it = priority_subscribers_.find(event_id);
  return it == priority_subscribers_.end() ? 0 : it->second.size();
}

std::vector<ModelImpl::Subscription> ModelImpl::Subscriptions() const {
  std::vector<Subscription> result;
  for (const auto& [event_id, list] : subscribers_) {
    for (const auto& s : list) result.push_back({event_id, s->observer_id, s->location, false, 0});
  }
  for (const auto& [event_id, list] : priority_subscribers_) {
    for (const auto& s : list) result.push_back({event_id, s->observer_id, s->location, true, s->priority});
  }
  return result;
}

PrioritySubscribable* AsPrioritySubscribable(Model* model) { return dynamic_cast<PrioritySubscribable*>(model); }

MainThreadExecutor* MainThreadExecutor::GetInstance() {
  static MainThreadExecutor executor;
  return &executor;
}

void MainThreadExecutor::Execute(std::function<void()> closure, const base::Location& from) {
  base::threading::LooperThread::MainLooper()->PostTask(std::move(closure), from);
}

}  // namespace framework
