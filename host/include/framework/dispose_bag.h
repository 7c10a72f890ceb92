// framework::DisposeBag collects the undo steps of what an object set up (observers added to
// observable states, listeners registered elsewhere) and runs them when the object goes away.
//
//   auto token = state->Observe(on_change);
//   AddDisposable([state, token] { state->RemoveObserver(token); });
//
// Disposables run newest first, each exactly once: at DisposeAll() or at destruction.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace framework {

class DisposeBag {
 public:
  DisposeBag() = default;
  DisposeBag(const DisposeBag&) = delete;
  DisposeBag& operator=(const DisposeBag&) = delete;
  virtual ~DisposeBag();

  // An empty function is ignored.
  void AddDisposable(std::function<void()> dispose);
  // A disposable may add further disposables; they run in the same call.
  void DisposeAll();
  size_t DisposableCount() const { return disposables_.size(); }

 private:
  std::vector<std::function<void()>> disposables_;
};

}  // namespace framework
