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

}  // namespace host_internal
