// Plays the built-in meeting: generates its schedule, plays each event at its simulated time
// through the kinds the features registered, prints the timeline (notable events as they happen,
// routine changes once a minute) and the summary, and fills the recorder for the report files.
#pragma once

#include "meeting/schedule.h"

namespace sim {
struct Context;
class Recorder;
}  // namespace sim

namespace sim::meeting {

// Returns the exit status: 0, or 1 when a store could not be kept. Stops early, still printing
// the summary, when SIGINT or SIGTERM arrives (sim::InterruptSignal). With context.quiet it
// prints nothing and only fills the recorder.
int PlayMeeting(const Plan& plan, Context& context, Recorder& recorder);

}  // namespace sim::meeting
