// Feature switches of the platform SDK. A switch nobody set is off.
#pragma once

#include <string>

namespace veltosdk::utils::feature_flags {
bool IsSwitchOn(const std::string& name);
}  // namespace veltosdk::utils::feature_flags
