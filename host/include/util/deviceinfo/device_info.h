// Facts about the machine the client runs on, as web pages and reports want them.
#pragma once

#include <string>

namespace util::deviceinfo {

// Operating system name, e.g. "Linux".
std::string GetOSName();
// Operating system (kernel) release, e.g. "6.1.0-18-amd64".
std::string GetOSVersion();
// A stable id of this machine for this product: 32 hex digits derived from the machine id, so
// the raw machine id never leaves the process.
std::string GetUniqueDeviceId();
// The hardware model as the firmware names it; the processor architecture when it does not.
std::string GetDeviceModel();

}  // namespace util::deviceinfo
