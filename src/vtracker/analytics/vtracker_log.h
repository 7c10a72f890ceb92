// What every record of the tracker starts with, so that one search finds them all.
#pragma once

namespace vtracker {

inline constexpr char kLogPrefix[] = "<vtracker>";

}  // namespace vtracker
