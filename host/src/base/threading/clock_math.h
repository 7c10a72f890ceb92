// Arithmetic on the stand-in's millisecond clocks. A clock near its end (tests and the
// simulator may advance it to INT64_MAX) must stay there instead of wrapping round to the past.
#pragma once

#include <cstdint>
#include <limits>

namespace host_internal {

// a + b, held at the int64_t limits instead of overflowing.
inline int64_t SaturatingAdd(int64_t a, int64_t b) {
  int64_t sum = 0;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}

}  // namespace host_internal
