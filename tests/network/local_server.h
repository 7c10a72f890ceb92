// A small HTTP server on 127.0.0.1 for the signed-request tests: an ephemeral port, a thread of
// the test's own that stops with the server, and a record of every request that reached it.
#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace velto_test {

struct SeenRequest {
  std::string method;
  std::string path;
  std::multimap<std::string, std::string> params;  // query and form parameters, decoded
  std::multimap<std::string, std::string> headers;
  std::string body;
  std::string Header(const std::string& name) const {
    auto it = headers.find(name);
    return it == headers.end() ? std::string() : it->second;
  }
};

// A gate a handler waits at until the test opens it; opening twice is harmless. Kept by the
// fixture, so that a handler the server runs late (after the test body) still finds it.
class Gate {
 public:
  void Open() {
    {
      std::lock_guard lock(mutex_);
      open_ = true;
    }
    changed_.notify_all();
  }
  void Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return open_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
};

class LocalServer {
 public:
  LocalServer() = default;
  LocalServer(const LocalServer&) = delete;
  LocalServer& operator=(const LocalServer&) = delete;
  ~LocalServer() { Stop(); }

  httplib::Server& http() { return server_; }

  // Binds to an ephemeral port of 127.0.0.1 and serves on a thread; false when no port could be
  // bound. The socket listens from the bind on, so requests may come at once.
  bool Start() {
    // Headers and body leave at once, not a delayed acknowledgement apart.
    server_.set_tcp_nodelay(true);
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) return false;
    thread_ = std::thread([this] {
      server_.listen_after_bind();
      listen_returned_ = true;
    });
    return true;
  }

  // Stops serving and joins the thread and the server's workers. Stop the client side first: a
  // worker holding an idle kept-alive connection waits for the client to close it.
  void Stop() {
    if (!thread_.joinable()) return;
    // stop() acts on a running server only: wait for the accept loop (it starts right away).
    while (!server_.is_running() && !listen_returned_) std::this_thread::yield();
    server_.stop();
    thread_.join();
  }

  int port() const { return port_; }
  std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

  void Record(const httplib::Request& request) {
    SeenRequest seen{request.method, request.path, {}, {}, request.body};
    for (const auto& [name, value] : request.params) seen.params.emplace(name, value);
    for (const auto& [name, value] : request.headers) seen.headers.emplace(name, value);
    {
      std::lock_guard lock(mutex_);
      seen_.push_back(std::move(seen));
    }
    seen_changed_.notify_all();
  }
  // Waits (on the wall clock, at most `limit`) until `count` requests were recorded.
  bool WaitForSeen(size_t count, std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return seen_changed_.wait_for(lock, limit, [&] { return seen_.size() >= count; });
  }
  std::vector<SeenRequest> Seen() {
    std::lock_guard lock(mutex_);
    return seen_;
  }

 private:
  httplib::Server server_;
  std::thread thread_;
  std::atomic<bool> listen_returned_{false};
  int port_ = 0;
  std::mutex mutex_;
  std::condition_variable seen_changed_;
  std::vector<SeenRequest> seen_;
};

}  // namespace velto_test
