#include "framework/dispose_bag.h"

#include <utility>

namespace framework {

DisposeBag::~DisposeBag() { DisposeAll(); }

void DisposeBag::AddDisposable(std::function<void()> dispose) {
  if (dispose) disposables_.push_back(std::move(dispose));
}

void DisposeBag::DisposeAll() {
  while (!disposables_.empty()) {
    // Taken out before running: the step may add to the bag.
    std::function<void()> dispose = std::move(disposables_.back());
    disposables_.pop_back();
    dispose();
  }
}

}  // namespace framework
