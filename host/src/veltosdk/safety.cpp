#include "veltosdk/utils/safety.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace veltosdk::utils::safety {
namespace {

using base::variant::Variant;

constexpr size_t kMaxStars = 8;
// Model payloads are shallow; anything deeper than this is cut rather than risk the stack.
constexpr int kMaxDepth = 128;

// Length of the UTF-8 character starting at text[at]. A broken sequence counts as one byte, so
// that any input is split somewhere and masking never produces half a character.
size_t CharLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xe ? 3 : (lead >> 3) == 0x1e ? 4 : 1;
  if (at + length > text.size()) return 1;
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xc0) != 0x80) return 1;
  }
  return length;
}

Variant Masked(const Variant& value, int depth) {
  if (depth > kMaxDepth) return Variant();
  if (value.IsString()) return Variant(ToSafeString(value.AsStringView()));
  if (value.IsMap()) {
    Variant map = Variant::Map();
    for (size_t i = 0; i < value.size(); ++i) map.Set(value.KeyAt(i), Masked(value.ValueAt(i), depth + 1));
    return map;
  }
  if (value.IsArray()) {
    Variant array = Variant::Array();
    for (const Variant& element : value.Elements()) array.Add(Masked(element, depth + 1));
    return array;
  }
  return value;
}

}  // namespace

std::string ToSafeString(std::string_view text) {
  std::vector<size_t> starts;  // byte offset of each character
  for (size_t at = 0; at < text.size(); at += CharLength(text, at)) starts.push_back(at);
  const size_t count = starts.size();
  if (count <= 2) return std::string(count, '*');
  std::string safe(text.substr(0, starts[1]));
  safe.append(std::min(count - 2, kMaxStars), '*');
  safe.append(text.substr(starts.back()));
  return safe;
}

std::string VariantToSafeString(const base::variant::Variant& value) { return Masked(value, 0).ToJsonStr(); }

}  // namespace veltosdk::utils::safety
