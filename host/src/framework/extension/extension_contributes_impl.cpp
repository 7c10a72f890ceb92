#include "framework/extension/extension_contributes_impl.h"

#include <exception>
#include <utility>

#include "framework/extension/extension_impl.h"
#include "framework/extension/extension_records.h"
#include "framework/extension/extension_service.h"

namespace framework::extension {
// ExtensionImpl keeps its contributes private; this is the one place that sets it.
struct ContributesLink {
  static void Set(IExtensionInterface& extension, ExtensionContributesImpl* contributes) {
    if (auto* impl = dynamic_cast<ExtensionImpl*>(&extension)) impl->contributes_ = contributes;
  }
};

namespace {

using host_internal::extension::Log;

void Link(IExtensionInterface& extension, ExtensionContributesImpl* contributes) {
  ContributesLink::Set(extension, contributes);
}

}  // namespace

ExtensionContributesImpl::ExtensionContributesImpl(std::string contributes_id, int contributes_mode)
    : contributes_id_(std::move(contributes_id)), contributes_mode_(contributes_mode) {}

ExtensionContributesImpl::~ExtensionContributesImpl() {
  for (auto& [id, extension] : extensions_) Link(*extension, nullptr);
  extensions_.clear();
}

void ExtensionContributesImpl::ResetContributes(std::string contributes_id, int contributes_mode) {
  contributes_id_ = std::move(contributes_id);
  contributes_mode_ = contributes_mode;
}

int ExtensionContributesImpl::FindItemIndex(const std::string& extension_id) const {
  const auto items = data_source_.Elements();
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].IsMap() && items[i].Get("extension_id").AsStringView() == extension_id) return static_cast<int>(i);
  }
  return -1;
}

std::shared_ptr<IExtensionInterface> ExtensionContributesImpl::FindExtension(const std::string& extension_id) const {
  auto it = extensions_.find(extension_id);
  return it == extensions_.end() ? nullptr : it->second;
}

std::string ExtensionContributesImpl::ModuleOfExtension(const std::string& extension_id) const {
  if (auto info = GetExtensionService()->FindExtensionInfo(contributes_id_, extension_id)) {
    if (!info->module_name().empty()) return info->module_name();
  }
  return host_internal::extension::FactoryModule(extension_id);
}

void ExtensionContributesImpl::MergeItem(const std::string& extension_id, const Variant& fields, bool from_extension) {
  int index = FindItemIndex(extension_id);
  if (index < 0) {
    Variant item = Variant::Map();
    item["extension_id"] = extension_id;
    item["contributes_id"] = contributes_id_;
    data_source_.Add(std::move(item));
    index = static_cast<int>(data_source_.size()) - 1;
  }
  Variant& item = data_source_.MutableElements()[static_cast<size_t>(index)];
  for (size_t i = 0; i < fields.size() && fields.IsMap(); ++i) {
    const std::string_view key = fields.KeyAt(i);
    // An extension may not move its item to another extension's id.
    if (from_extension && key == "extension_id") continue;
    item[key] = fields.ValueAt(i);
  }
}

void ExtensionContributesImpl::RemoveItemAt(int index) {
  if (index >= 0) data_source_.RemoveAt(static_cast<size_t>(index));
}

void ExtensionContributesImpl::Forget(const std::string& extension_id) {
  auto it = extensions_.find(extension_id);
  if (it == extensions_.end()) return;
  auto extension = std::move(it->second);
  extensions_.erase(it);
  Link(*extension, nullptr);
}

void ExtensionContributesImpl::OnExtensionCommand(const char* extension_id, const char* name, const Variant* params) {
  const std::string id = extension_id ? extension_id : "";
  const std::string command = name ? name : "";
  if (command == "OnGetItemInfo") {
    if (!params || !params->IsMap()) {
      Log(3, __FILE__, __LINE__, __func__, "item info of extension " + id + " is not a map");
      return;
    }
    MergeItem(id, *params, true);
    const Variant item = data_source_.At(static_cast<size_t>(FindItemIndex(id)));
    if (contributes_mode_ == kContributesModeControl && item.Has("view")) OnAddItemView(item);
    SortContributesDataSource();
    OnContributesDataSourceChanged();
    return;
  }
  if (command == "UpdateItemStatus") {
    if (!params || !params->IsMap()) {
      Log(3, __FILE__, __LINE__, __func__, "item status of extension " + id + " is not a map");
      return;
    }
    OnUpdateItemStatus(*params);
    return;
  }
  auto it = command_handlers_.find(command);
  if (it == command_handlers_.end()) {
    Log(3, __FILE__, __LINE__, __func__,
        "unknown command " + command + " from extension " + id + " contributes:" + contributes_id_);
    return;
  }
  std::shared_ptr<const ExtensionCommandHandler> handler = it->second;
  (*handler)(params);
}

void ExtensionContributesImpl::AddExtensionItem(const Variant& item) {
  const std::string id = item.GetString("extension_id");
  if (id.empty()) {
    Log(3, __FILE__, __LINE__, __func__, "item without extension_id for contributes " + contributes_id_);
    return;
  }
  const int index = FindItemIndex(id);
  if (index < 0) {
    data_source_.Add(item);
  } else {
    data_source_.MutableElements()[static_cast<size_t>(index)] = item;
  }
  if (item.Has("view")) OnAddItemView(item);
  SortContributesDataSource();
  OnContributesDataSourceChanged();
}

void ExtensionContributesImpl::RemoveExtensionItem(const char* extension_id) {
  const int index = FindItemIndex(extension_id ? extension_id : "");
  if (index < 0) return;
  const Variant item = data_source_.At(static_cast<size_t>(index));
  RemoveItemAt(index);
  OnRemoveItem(item);
  OnContributesDataSourceChanged();
}

bool ExtensionContributesImpl::TakeExtensionItem(const char* extension_id) {
  const int index = FindItemIndex(extension_id ? extension_id : "");
  if (index < 0) return false;
  const Variant item = data_source_.At(static_cast<size_t>(index));
  RemoveItemAt(index);
  taken_items_.Add(item);
  OnTakeItem(item);
  OnContributesDataSourceChanged();
  return true;
}

void ExtensionContributesImpl::DestroyExtensionItem(const char* extension_id) {
  const std::string id = extension_id ? extension_id : "";
  const auto taken = taken_items_.Elements();
  for (size_t i = 0; i < taken.size(); ++i) {
    if (taken[i].Get("extension_id").AsStringView() != id) continue;
    const Variant item = taken[i];
    taken_items_.RemoveAt(i);
    OnDestroyTakenItem(item);
    return;
  }
  RemoveExtensionItem(id.c_str());
}

void ExtensionContributesImpl::LoadExtension(const char* extension_id, const Variant* params) {
  const std::string id = extension_id ? extension_id : "";
  if (id.empty()) {
    Log(3, __FILE__, __LINE__, __func__, "load without extension id, contributes:" + contributes_id_);
    return;
  }
  if (HasExtension(id)) {
    Log(4, __FILE__, __LINE__, __func__, "extension already loaded:" + id + " contributes:" + contributes_id_);
    return;
  }
  IExtensionService* service = GetExtensionService();
  const auto info = service->FindExtensionInfo(contributes_id_, id);
  host_internal::extension::Timing timing;
  timing.module = info && !info->module_name().empty() ? info->module_name()
                                                       : host_internal::extension::FactoryModule(id);
  timing.contributes_id = contributes_id_;
  timing.extension_id = id;
  host_internal::extension::Stopwatch watch;

  const int old_index = FindItemIndex(id);
  const Variant old_item = old_index >= 0 ? data_source_.At(static_cast<size_t>(old_index)) : Variant();
  std::shared_ptr<IExtensionInterface> extension;
  bool activated = false;
  bool timed = false;
  try {
    extension = service->CreateExtension(id);
    if (!extension) {
      Log(1, __FILE__, __LINE__, __func__,
          "can not create extension:" + id + " contributes:" + contributes_id_ + ", is its module loaded?");
      return;
    }
    Link(*extension, this);
    extension->UpdateContributesId(contributes_id_.c_str());
    extension->SetExtensionInfo(info ? *info : ExtensionInfo(id, timing.module));
    extensions_[id] = extension;
    Variant marker = Variant::Map();
    marker["parent_view"] = GetViewContext();
    MergeItem(id, marker, false);
    extension->OnContributesActivate(static_cast<int64_t>(reinterpret_cast<intptr_t>(this)), params);
    activated = true;
    watch.Stop(timing);
    host_internal::extension::RecordActivation(timing);
    timed = true;

    Variant request = params && params->IsMap() ? *params : Variant::Map();
    request["contributes_mode"] = contributes_mode_;
    if (!request.Has("parent_view")) request["parent_view"] = GetViewContext();
    FireP2PExtensionEvent(id, "GetItemInfo", &request);
  } catch (...) {
    if (!timed) {
      watch.Stop(timing);
      timing.ok = false;
      try {
        throw;
      } catch (const std::exception& e) {
        timing.error = e.what();
      } catch (...) {
        timing.error = "unknown exception";
      }
      host_internal::extension::RecordActivation(timing);
    }
    // Back to the state before the load: no extension object, the item as it was.
    if (activated && extension) {
      try {
        extension->OnContributesUnActivate();
      } catch (...) {
      }
    }
    Forget(id);
    const int index = FindItemIndex(id);
    if (old_index < 0) {
      RemoveItemAt(index);
    } else if (index >= 0) {
      data_source_.MutableElements()[static_cast<size_t>(index)] = old_item;
    }
    throw;
  }
}

void ExtensionContributesImpl::UnLoadExtension(const char* extension_id) {
  const std::string id = extension_id ? extension_id : "";
  std::exception_ptr failure;
  if (auto extension = FindExtension(id)) {
    try {
      extension->OnContributesUnActivate();
    } catch (...) {
      failure = std::current_exception();
    }
    Forget(id);
  }
  RemoveExtensionItem(id.c_str());
  if (failure) std::rethrow_exception(failure);
}

const char* ExtensionContributesImpl::GetContributesId() { return contributes_id_.c_str(); }

void ExtensionContributesImpl::UnActivateExtensions() {
  std::exception_ptr failure;
  auto extensions = std::move(extensions_);
  extensions_.clear();
  for (auto& [id, extension] : extensions) {
    try {
      extension->OnContributesUnActivate();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
    Link(*extension, nullptr);
  }
  extensions.clear();
  data_source_ = Variant::Array();
  taken_items_ = Variant::Array();
  if (failure) std::rethrow_exception(failure);
}

void ExtensionContributesImpl::SortContributesDataSource() {}

void ExtensionContributesImpl::OnContributesDataSourceChanged() { OnContributesChildrenView(false); }

void ExtensionContributesImpl::OnAddItemView(const Variant&) {}
void ExtensionContributesImpl::OnUpdateItem(const Variant&) {}
void ExtensionContributesImpl::OnTakeItem(const Variant&) {}
void ExtensionContributesImpl::OnRemoveItem(const Variant&) {}
void ExtensionContributesImpl::OnDestroyTakenItem(const Variant&) {}
void ExtensionContributesImpl::OnContributesChildrenView(bool) {}

void ExtensionContributesImpl::OnUpdateItemStatus(const Variant& item) {
  const std::string id = item.GetString("extension_id");
  const int index = FindItemIndex(id);
  if (index < 0) {
    Log(3, __FILE__, __LINE__, __func__, "status for unknown item " + id + " contributes:" + contributes_id_);
    return;
  }
  Variant fields = item;
  fields.Remove("contributes_id");
  MergeItem(id, fields, true);
  OnUpdateItem(data_source_.At(static_cast<size_t>(index)));
}

void ExtensionContributesImpl::ActivateExtensions(const Variant* params) {
  IExtensionService* service = GetExtensionService();
  for (const ExtensionInfo& info : service->GetExtensionInfos(contributes_id_)) {
    const std::string& id = info.extension_id();
    if (!info.IsSupport() || HasExtension(id) || !service->HasExtensionFactory(id)) continue;
    LoadExtension(id.c_str(), params);
  }
}

bool ExtensionContributesImpl::FireP2PExtensionEvent(const std::string& extension_id, const std::string& name,
                                                     const Variant* params, Variant* out) {
  host_internal::extension::RecordMessage(
      {framework::module::ExtensionMessage::Kind::kEvent, contributes_id_, extension_id, name, params ? *params : Variant(), 0});
  std::shared_ptr<IExtensionInterface> extension = FindExtension(extension_id);
  if (!extension) {
    Log(1, __FILE__, __LINE__, __func__,
        "extension not loaded:" + extension_id + " event:" + name + " contributes:" + contributes_id_);
    return false;
  }
  // The handler gets a request of its own, which it may fill in.
  Variant request = params ? *params : Variant();
  extension->OnContributesEvent(name.c_str(), params ? &request : nullptr, out);
  return true;
}

void ExtensionContributesImpl::RegisterExtensionCommandHandler(const std::string& name,
                                                               ExtensionCommandHandler handler) {
  if (handler) command_handlers_[name] = std::make_shared<const ExtensionCommandHandler>(std::move(handler));
}

void ExtensionContributesImpl::UnRegisterExtensionCommandHandler(const std::string& name) {
  command_handlers_.erase(name);
}

}  // namespace framework::extension
