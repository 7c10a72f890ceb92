// util::deviceinfo::DeviceFacts: the machine facts util::deviceinfo answers (see
// util/deviceinfo/device_info.h), in one value, so that the stand-in can answer given facts
// instead of the machine's.
//
//   util::deviceinfo::DeviceFacts facts{"Linux", "6.1", "0123abcd", "ThinkPad"};
#pragma once

#include <string>

namespace util::deviceinfo {

struct DeviceFacts {
  std::string os_name;
  std::string os_version;
  std::string unique_device_id;
  std::string device_model;
};

}  // namespace util::deviceinfo
