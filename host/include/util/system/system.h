// Handing addresses and files to the desktop.
#pragma once

#include <functional>
#include <string>

namespace util::system {

using OpenCallback = std::function<void(bool opened)>;

// Opens an address or file with the desktop's default handler (a web address in the external
// browser). `done`, when given, runs later on the main looper. The stand-in host only records
// the request (hostkit::OpenedTargets) and reports success; it never launches anything.
bool Open(const std::string& target, OpenCallback done = nullptr);

}  // namespace util::system
