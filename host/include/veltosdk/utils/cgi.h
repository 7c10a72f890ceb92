// Web back-end addresses of the platform SDK.
#pragma once

#include <string>

namespace veltosdk::utils::cgi {
// The full request URL of a back-end path: "<cgi host>" + path, with exactly one "/" between.
std::string MakeCgiCommonUrlPath(const std::string& path);
}  // namespace veltosdk::utils::cgi
