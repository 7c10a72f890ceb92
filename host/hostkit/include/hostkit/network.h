// hostkit: the host's network looper, for tests that run signed requests against a server the
// test starts on 127.0.0.1.
//
//   hostkit::Environment().cgi_host = "http://127.0.0.1:" + std::to_string(port);
//   request->Run();
//   ASSERT_TRUE(hostkit::RunMainUntil([&] { return answered; }, std::chrono::seconds(5)));
//   hostkit::StopNetwork();                    // the network thread has ended when this returns
//   EXPECT_EQ(hostkit::ThreadCount(), baseline);
//
// The network looper runs on a thread of its own from the first request on, also under the hand
// clock; its answers reach the UI as main-looper tasks. hostkit::Reset() stops it.
//
// The SDK's network detector (veltosdk/utils/network_detect_service.h) answers what the test
// says: hostkit::SetNetworkOnline(false) makes it report no network. Reset() puts it back
// (available, online).
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>

namespace hostkit {

// Runs the main looper's due tasks (and the worker and file loopers', as RunUntilIdle does),
// waiting without polling for tasks that other threads post, until `done` holds or the wall
// clock passes `wall_limit`. Returns done(). The hand clock does not move.
bool RunMainUntil(const std::function<bool()>& done, std::chrono::milliseconds wall_limit);

// Stops the network thread and drops every exchange it was running; answers already posted to
// the main looper stay there.
void StopNetwork();
bool IsNetworkRunning();
// Exchanges the network thread is running now.
size_t NetworkTransfersInFlight();

// The network detector's answer, whether QueryNetworkDetectService() hands it out, and how often
// it was asked.
void SetNetworkOnline(bool online);
void SetNetworkDetectServiceAvailable(bool available);
size_t NetworkDetectQueries();

// Threads of this process (entries of /proc/self/task).
size_t ThreadCount();

}  // namespace hostkit
