// The host's network looper: one thread of the host that runs web transfers (the SDK's signed
// requests) and the tasks posted to it, so that the UI thread never waits on the network.
//
//   base::threading::NetworkLooper()->PostTask([] { /* runs on the network thread */ });
//
// Unlike the main, worker and file loopers it always runs on a thread of its own, also under
// hostkit's hand clock: it starts with the first task posted to it and stops when the host is
// reset (hostkit::Reset, hostkit::StopNetwork). Delays are measured on the steady clock.
// Answers meant for the UI go back through LooperThread::MainLooper()->PostTask.
#pragma once

#include "base/threading/looper.h"

namespace base::threading {

Looper* NetworkLooper();

}  // namespace base::threading
