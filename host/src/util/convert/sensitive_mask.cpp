#include "util/convert/sensitive_mask.h"

#include "veltosdk/utils/safety.h"

namespace util::convert {

std::string ConvertSensitiveMask(std::string_view text) {
  std::string masked;
  masked.reserve(text.size());
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = text.size();
    masked += veltosdk::utils::safety::ToSafeString(text.substr(start, end - start));
    if (end == text.size()) break;
    masked += text[end];
    start = end + 1;
  }
  return masked;
}

}  // namespace util::convert
