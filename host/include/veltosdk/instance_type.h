// veltosdk::InstanceType: which kind of client instance a device of an account runs, as the
// multi-join identify model (10065) tells the devices of one account apart.
#pragma once

#include <cstdint>

namespace veltosdk {

enum InstanceType : int32_t {
  kInstanceTypeUnknown = 0,
  kInstanceTypeDesktop = 1,
  kInstanceTypeMobile = 2,
  kInstanceTypeRoomsDevice = 3,
  kInstanceTypeWeb = 4,
};

}  // namespace veltosdk
