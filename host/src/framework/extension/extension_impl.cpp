#include "framework/extension/extension_impl.h"

#include <utility>

#include "framework/extension/extension_contributes_impl.h"
#include "framework/extension/extension_records.h"

namespace framework::extension {

ExtensionImpl::ExtensionImpl() = default;

ExtensionImpl::ExtensionImpl(const std::string& extension_id, const ExtensionInfo& info)
    : extension_id_(extension_id), info_(info), tbui_mode_(info.tbui_mode()) {}

ExtensionImpl::~ExtensionImpl() = default;

const char* ExtensionImpl::GetExtensionId() { return extension_id_.c_str(); }

const char* ExtensionImpl::GetContributesId() { return contributes_id_.c_str(); }

void ExtensionImpl::UpdateContributesId(const char* contributes_id) {
  contributes_id_ = contributes_id ? contributes_id : "";
}

void ExtensionImpl::SetExtensionInfo(const ExtensionInfo& info) {
  info_ = info;
  // An extension made by a factory learns its id here.
  if (!info.extension_id().empty()) extension_id_ = info.extension_id();
  tbui_mode_ = info.tbui_mode();
}

void ExtensionImpl::OnContributesActivate(int64_t, const Variant*) {}

void ExtensionImpl::OnContributesEvent(const char* name, const Variant* in, Variant* out) {
  auto it = handlers_.find(name ? name : "");
  if (it == handlers_.end()) {
    host_internal::extension::Log(6, __FILE__, __LINE__, __func__,
                                  std::string("no handler for event ") + (name ? name : "(null)") +
                                      " extension:" + extension_id_);
    return;
  }
  // Kept alive while it runs: the handler may unregister itself.
  std::shared_ptr<const ExtensionEventHandler> handler = it->second;
  (*handler)(in, out);
}

void ExtensionImpl::OnContributesUnActivate() {}

void ExtensionImpl::SetViewModel(std::weak_ptr<ViewModel> view_model) { view_model_ = std::move(view_model); }

std::weak_ptr<ViewModel> ExtensionImpl::GetViewModel() { return view_model_; }

void ExtensionImpl::RegisterEventHandler(const std::string& name, ExtensionEventHandler handler) {
  if (!handler) return;
  handlers_[name] = std::make_shared<const ExtensionEventHandler>(std::move(handler));
}

void ExtensionImpl::UnRegisterEventHandler(const std::string& name) { handlers_.erase(name); }

bool ExtensionImpl::HasEventHandler(const std::string& name) const { return handlers_.count(name) > 0; }

bool ExtensionImpl::ExecuteCommand(const std::string& name, const Variant* params) {
  host_internal::extension::RecordMessage(
      {framework::module::ExtensionMessage::Kind::kCommand, contributes_id_, extension_id_, name, params ? *params : Variant(), 0});
  if (!contributes_) {
    host_internal::extension::Log(1, __FILE__, __LINE__, __func__,
                                  "no contributes for command " + name + " extension:" + extension_id_);
    return false;
  }
  contributes_->OnExtensionCommand(extension_id_.c_str(), name.c_str(), params);
  return true;
}

}  // namespace framework::extension
