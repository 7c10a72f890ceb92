// WebUrlConifg: receives the server's "web_url_info" document and applies its members to the
// page slots through the same checks as the setters. Internal to the library.
#pragma once

#include <string>

#include "base/json/json_value.h"
#include "veltosdk/utils/configure_service.h"
#include "utils/web/web_page_slots.h"

namespace velto_common::utils::web::internal {

inline constexpr char kWebUrlInfoKey[] = "web_url_info";

class WebUrlConifg : public veltosdk::IConfigureValueDelegate {
 public:
  ~WebUrlConifg() override;
  void OnConfigureValueReceived(const std::string& key, veltosdk::ConfigureValueType type,
                                const std::string& value) override;

  // With the platform configure service; false when the service is missing.
  bool Register();
  void Unregister();

 private:
  bool registered_ = false;
};

// Applies every text member of `document` that belongs to a slot of that `kind` of document.
// Members that are not text, or that fail the slot's check, log "<member> is invalid" (level 3)
// and leave their slot as it was; unknown members are ignored.
void ApplyDocumentMembers(const base::json::JsonValue& document, Document kind);

// Applies a parsed "web_url_info" document, "host" first; members that fail their check log
// "<member> is invalid" and leave their slot as it was.
void ApplyWebUrlInfo(const base::json::JsonValue& document);

}  // namespace velto_common::utils::web::internal
