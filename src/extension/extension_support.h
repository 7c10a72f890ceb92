// Small helpers of the extension bases.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/extension/extension_interface.h"
#include "framework/model.h"

namespace velto::extension_support {

// Ids in log lines: "nullptr" when missing.
inline std::string IdText(const char* id) { return id && *id ? std::string(id) : std::string("nullptr"); }

// A model or service callback for an extension. The subscription may outlive the extension
// (destroyed without being deactivated): when the extension is shared, the callback holds only
// a weak reference and does nothing once it is gone.
inline framework::EventCallback Guarded(framework::IExtensionInterface* self,
                                        std::function<void(const base::variant::Variant*)> handler) {
  std::weak_ptr<framework::IExtensionInterface> weak = self->weak_from_this();
  if (weak.expired()) return handler;
  return [weak, handler = std::move(handler)](const base::variant::Variant* payload) {
    if (auto alive = weak.lock()) handler(payload);
  };
}

}  // namespace velto::extension_support
