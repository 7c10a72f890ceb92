#include "utils/web/web_url_config.h"

#include "module_api/log.h"
#include "utils/web/web_page_slots.h"

namespace velto_common::utils::web::internal {

void ApplyDocumentMembers(const base::json::JsonValue& document, Document kind) {
  for (size_t i = 0; i < document.size(); ++i) {
    const std::string_view member = document.KeyAt(i);
    const PageInfo* info = FindByMember(kind, member);
    if (!info || info->page == Page::kDefaultHost) continue;
    const base::json::JsonValue value = document.ValueAt(i);
    if (!value.IsString() || !WriteSlot(info->page, value.AsString())) {
      VELTO_LOG(velto::log::kRejected) << member << " is invalid";
    }
  }
}

WebUrlConifg::~WebUrlConifg() { Unregister(); }

void WebUrlConifg::OnConfigureValueReceived(const std::string& key, veltosdk::ConfigureValueType type,
                                            const std::string& value) {
  if (key != kWebUrlInfoKey) return;
  if (type != veltosdk::ConfigureValueType::kString && type != veltosdk::ConfigureValueType::kJson) {
    VELTO_LOG(velto::log::kRejected) << "web_url_info has value type " << static_cast<int>(type) << ", ignored";
    return;
  }
  base::json::JsonValue document;
  if (!document.ParseFromJson(value) || !document.IsObject()) {
    VELTO_LOG(velto::log::kRejected) << "web_url_info is not a JSON object, ignored";
    return;
  }
  ApplyWebUrlInfo(document);
}

bool WebUrlConifg::Register() {
  if (registered_) return true;
  veltosdk::IConfigureService* service = veltosdk::utils::service::GetConfigureService();
  if (!service) {
    VELTO_LOG(velto::log::kFailure) << "configure service not available, web_url_info not registered";
    return false;
  }
  registered_ = service->RegisterConfigureValueDelegate(kWebUrlInfoKey, this);
  return registered_;
}

void WebUrlConifg::Unregister() {
  if (!registered_) return;
  registered_ = false;
  if (veltosdk::IConfigureService* service = veltosdk::utils::service::GetConfigureService()) {
    service->UnregisterConfigureValueDelegate(kWebUrlInfoKey, this);
  }
}

void ApplyWebUrlInfo(const base::json::JsonValue& document) {
  if (!document.IsObject()) return;
  if (!document.Contain("host")) {
    VELTO_LOG(velto::log::kNotable) << "host is not in config";
  } else if (!document["host"].IsString() || !WriteSlot(Page::kDefaultHost, document["host"].AsString())) {
    VELTO_LOG(velto::log::kRejected) << "host is invalid";
  }
  ApplyDocumentMembers(document, Document::kWebUrlInfo);
}

}  // namespace velto_common::utils::web::internal
