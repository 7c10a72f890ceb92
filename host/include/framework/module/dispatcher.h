// framework::module::Dispatcher: the host's queue of pop-ups that compete for the user's
// attention (guides, promotions). Each pop-up waits for its turn; only one shows at a time.
//
//   framework::module::Dispatcher::Event event;
//   event.name = "corp_manager_guide";
//   event.show = [weak, token_holder] { ... show it ... };   // runs when its turn comes
//   std::string token = framework::module::Dispatcher::GetInstance().Enqueue(std::move(event));
//   ...
//   framework::module::Dispatcher::GetInstance().Finish(token);   // closed: the next one's turn
//
// The show callback runs as a task on the UI thread, never inside Enqueue or Finish. A pop-up
// must call Finish when it closes (or when it gives up its turn); Finish of a waiting pop-up
// removes it from the queue.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace framework::module {

class Dispatcher {
 public:
  struct Event {
    std::string name;
    std::function<void()> show;
  };

  static Dispatcher& GetInstance();

  // Queues the pop-up and returns its token ("" for an event without a show callback).
  std::string Enqueue(Event event);
  // False when the token is unknown (finished already).
  bool Finish(const std::string& token);
  // The pop-up whose turn it is ("" when none), and how many wait behind it.
  const std::string& CurrentToken() const { return current_; }
  size_t WaitingCount() const { return waiting_.size(); }
  // Drops everything without running anything (the host's reset).
  void Clear();

 private:
  struct Entry {
    std::string token;
    Event event;
  };
  void ShowNext();

  std::deque<Entry> waiting_;
  std::string current_;
  uint64_t next_token_ = 1;
  uint64_t generation_ = 0;
};

}  // namespace framework::module
