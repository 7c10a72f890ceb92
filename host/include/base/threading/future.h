// A single-assignment value with continuations, for AsyncCall answers and navigator results.
//
//   base::threading::Promise<Variant> promise;
//   auto future = promise.GetFuture();
//   future.Then([](const Variant& answer) { ... });   // runs on the main looper
//   promise.SetValue(answer);
//
// Continuations always run as tasks on the main looper, never inside SetValue, so a caller
// that completes a promise is not re-entered.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "base/threading/looper.h"

namespace base::threading {

template <typename T>
class Future {
 public:
  struct State {
    std::mutex mutex;
    std::optional<T> value;
    std::vector<std::function<void(const T&)>> continuations;
  };

  Future() : state_(std::make_shared<State>()) {}
  explicit Future(std::shared_ptr<State> state) : state_(std::move(state)) {}

  bool IsReady() const {
    std::lock_guard lock(state_->mutex);
    return state_->value.has_value();
  }
  // The value once ready; a default T before.
  T Get() const {
    std::lock_guard lock(state_->mutex);
    return state_->value ? *state_->value : T{};
  }
  void Then(std::function<void(const T&)> continuation) const {
    std::unique_lock lock(state_->mutex);
    if (!state_->value) {
      state_->continuations.push_back(std::move(continuation));
      return;
    }
    T value = *state_->value;
    lock.unlock();
    LooperThread::MainLooper()->PostTask(
        [c = std::move(continuation), v = std::move(value)] { c(v); }, FROM_HERE);
  }

 private:
  std::shared_ptr<State> state_;
};

template <typename T>
class Promise {
 public:
  Promise() : state_(std::make_shared<typename Future<T>::State>()) {}
  Future<T> GetFuture() const { return Future<T>(state_); }
  // Only the first value counts; later ones are ignored and return false.
  bool SetValue(T value) const {
    std::vector<std::function<void(const T&)>> continuations;
    {
      std::lock_guard lock(state_->mutex);
      if (state_->value) return false;
      state_->value = std::move(value);
      continuations.swap(state_->continuations);
    }
    for (auto& c : continuations) {
      LooperThread::MainLooper()->PostTask([c = std::move(c), s = state_] { c(*s->value); },
                                           FROM_HERE);
    }
    return true;
  }

 private:
  std::shared_ptr<typename Future<T>::State> state_;
};

}  // namespace base::threading
