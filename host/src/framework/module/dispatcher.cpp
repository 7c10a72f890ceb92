#include "framework/module/dispatcher.h"

#include <algorithm>
#include <utility>

#include "base/threading/looper.h"
#include "host_internal.h"

namespace framework::module {
namespace {
void ResetDispatcher() { Dispatcher::GetInstance().Clear(); }
const bool kRegistered = host_internal::RegisterReset(&ResetDispatcher);
}  // namespace

Dispatcher& Dispatcher::GetInstance() {
  static auto* dispatcher = new Dispatcher();
  return *dispatcher;
}

std::string Dispatcher::Enqueue(Event event) {
  if (!event.show) return {};
  std::string token = std::to_string(next_token_++);
  waiting_.push_back({token, std::move(event)});
  if (current_.empty()) ShowNext();
  return token;
}

bool Dispatcher::Finish(const std::string& token) {
  if (!token.empty() && token == current_) {
    current_.clear();
    ShowNext();
    return true;
  }
  auto it = std::find_if(waiting_.begin(), waiting_.end(), [&](const Entry& e) { return e.token == token; });
  if (it == waiting_.end()) return false;
  waiting_.erase(it);
  return true;
}

void Dispatcher::Clear() {
  waiting_.clear();
  current_.clear();
  ++generation_;
}

void Dispatcher::ShowNext() {
  if (waiting_.empty()) return;
  Entry entry = std::move(waiting_.front());
  waiting_.pop_front();
  current_ = entry.token;
  const uint64_t generation = generation_;
  base::threading::LooperThread::MainLooper()->PostTask([this, generation, entry = std::move(entry)] {
    // A reset, or a Finish before the turn came, cancels the show.
    if (generation == generation_ && current_ == entry.token) entry.event.show();
  });
}

}  // namespace framework::module
