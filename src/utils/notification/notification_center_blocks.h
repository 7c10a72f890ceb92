// The callbacks a notification builder owns and hands to the host by address.
//
// A slot, once made, lives as long as its builder and keeps its address: the host may still
// hold a map sent before the callback was replaced or cleared, so a cleared slot keeps a
// callable that does nothing instead of being freed.
#pragma once

#include <memory>
#include <string_view>
#include <utility>

#include "base/variant/variant.h"

namespace velto::notification {

using base::variant::Variant;

template <typename Fn>
void SetBlock(Variant& data, std::string_view key, std::unique_ptr<Fn>& slot, Fn block) {
  const bool clear = !block;
  if (clear) block = [](auto&&...) {};
  if (slot) {
    *slot = std::move(block);
  } else {
    slot = std::make_unique<Fn>(std::move(block));
  }
  if (clear) {
    data.Remove(key);
  } else {
    data.Set(key, Variant::FromPointer(slot.get()));
  }
}

// A copy's map must point at the copy's own callbacks, never at the original's.
template <typename Fn>
void CopyBlock(Variant& data, std::string_view key, std::unique_ptr<Fn>& slot, const std::unique_ptr<Fn>& from) {
  if (!from) return;
  slot = std::make_unique<Fn>(*from);
  if (data.Has(key)) data.Set(key, Variant::FromPointer(slot.get()));
}

}  // namespace velto::notification
