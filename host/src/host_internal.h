// Hooks between the host stand-in's pieces and hostkit. Not installed; not for modules.
#pragma once

namespace host_internal {

// Each piece puts itself back to its initial state; hostkit::Reset calls them all.
void ResetModels();
void ResetLoopers();
void ResetLogging();
void ResetAnalytics();
void ResetResources();
void ResetSdk();

// Pieces added later register their own reset from a static initialiser in their source file:
//   const bool kRegistered = host_internal::RegisterReset(&ResetMyPiece);
// hostkit::Reset runs them after the pieces above, in registration order.
bool RegisterReset(void (*reset)());
void RunRegisteredResets();

}  // namespace host_internal
