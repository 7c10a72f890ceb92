#include "module_api/viewmodel/tab_contributes_viewmodel.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "module_api/analytics.h"
#include "module_api/extension/extension_events.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto {
namespace {

namespace ev = extension_event;
namespace command = extension_command;

int64_t PositionOf(const base::variant::Variant& item) {
  const base::variant::Variant* position = item.Find("position");
  if (!position) position = item.Get("propertites").Find("position");
  return position && position->IsInteger() ? position->AsInteger() : INT64_MAX;
}

}  // namespace

TabContributesViewModel::TabContributesViewModel(const std::string& contributes_id)
    : ContributesViewModelT(contributes_id, framework::extension::kContributesModeProperties) {
  RegisterExtensionCommandHandler(command::kOnShowTabContentViewCommand,
                                  [this](const Variant* item) { OnShowTabContentView(item); });
  RegisterExtensionCommandHandler(command::kOnUpdateTabItemCommand,
                                  [this](const Variant* item) { OnUpdateTabItem(item); });
}

TabContributesViewModel::~TabContributesViewModel() = default;

void TabContributesViewModel::OnViewAttached(const Variant* params) {
  ContributesViewModelT::OnViewAttached(params);
  SetPropValue(tab_prop::kUiInitParams, GetUiInitParams());
  ActivateExtensions(params);
  OnContributesChildrenView(false);
  if (ShouldSelectDefaultWhenAttached()) SetInitDefaultTab();
}

void TabContributesViewModel::OnViewDetached() {
  // The tabs' views go with the container's: deactivate them before they are destroyed.
  UnActivateExtensions();
  current_tab_ = Variant();
  ContributesViewModelT::OnViewDetached();
}

void TabContributesViewModel::HandleAction(int action_id, const Variant* params) {
  if (params && params->IsMap() && params->Has("statistics_report_id")) {
    velto_common::utils::analytics::LogEvent(params->GetString("statistics_report_id"));
  }
  switch (action_id) {
    case tab_action::kSetCurrentTab: HandleSetCurrentTab(params); break;
    case tab_action::kInstantiateTab: HandleInstantiateTab(params); break;
    default: ContributesViewModelT::HandleAction(action_id, params); break;
  }
}

int64_t TabContributesViewModel::GetViewContext() {
  const auto view_context = context();
  return view_context ? view_context->view_context().view_ref() : 0;
}

void TabContributesViewModel::SortContributesDataSource() {
  auto items = data_source().MutableElements();
  std::stable_sort(items.begin(), items.end(),
                   [](const Variant& a, const Variant& b) { return PositionOf(a) < PositionOf(b); });
}

TabContributesViewModel::Variant TabContributesViewModel::GetUiInitParams() { return Variant(); }

bool TabContributesViewModel::ShouldSelectDefaultWhenAttached() { return true; }

void TabContributesViewModel::OnTabUnselected(const std::string&) {}

void TabContributesViewModel::OnTabSelected(const std::string&) {}

bool TabContributesViewModel::IsTabListed(const std::string& extension_id) const {
  return !extension_id.empty() && FindItemIndex(extension_id) >= 0;
}

void TabContributesViewModel::HandleInstantiateTab(const Variant* params) {
  if (!params) return;
  Variant request = *params;
  request["parent_view"] = GetViewContext();
  if (request.Has("extension_id")) {
    SendExtensionEvent(request.GetString("extension_id"), ev::kPreCreateTabEvent, &request);
  }
}

void TabContributesViewModel::HandleSetCurrentTab(const Variant* params) {
  if (!params || !params->Has("extension_id")) return;
  const std::string extension_id = params->GetString("extension_id");
  if (current_tab_.IsMap() && current_tab_.GetString("extension_id") == extension_id) return;
  Variant request = *params;
  request["parent_view"] = GetViewContext();
  if (current_tab_.IsMap()) {
    const std::string current = current_tab_.GetString("extension_id");
    OnTabUnselected(current);
    SendExtensionEvent(current, ev::kTabUnselectedEvent, &request);
  }
  OnTabSelected(extension_id);
  SendExtensionEvent(extension_id, ev::kSetCurrentTabEvent, &request);
}

void TabContributesViewModel::SetInitDefaultTab() {
  if (IsTabListed(default_extension_id_)) {
    SetCurrentTab(default_extension_id_);
    return;
  }
  for (const Variant& item : data_source().Elements()) {
    if (item.GetBoolean("visible")) {
      SetCurrentTab(item.GetString("extension_id"));
      return;
    }
  }
}

void TabContributesViewModel::SetCurrentTab(const std::string& extension_id) {
  if (!IsTabListed(extension_id)) {
    VELTO_LOG(log::kRejected) << "the current tab is not exist, please create first! extension id is: "
                              << extension_id;
    return;
  }
  Variant request = Variant::Map();
  request["extension_id"] = extension_id;
  HandleSetCurrentTab(&request);
}

void TabContributesViewModel::InsertTab(const std::string& extension_id, const Variant& item) {
  LoadExtension(extension_id.c_str(), &item);
  const int index = FindItemIndex(extension_id);
  if (index >= 0) {
    Variant inserted = data_source().At(static_cast<size_t>(index));
    inserted["insert_index"] = index;
    SetPropValue(tab_prop::kInsertTab, inserted);
  }
  SetPropValue(tab_prop::kCurrentTab, current_tab_);
}

void TabContributesViewModel::RemoveTab(const std::string& extension_id, bool /*reserved*/) {
  const int index = FindItemIndex(extension_id);
  if (index < 0) return;
  const Variant removed = data_source().At(static_cast<size_t>(index));
  const bool was_current = current_tab_.IsMap() && current_tab_.GetString("extension_id") == extension_id;
  UnLoadExtension(extension_id.c_str());
  SetPropValue(tab_prop::kRemoveTab, removed);
  if (was_current) {
    current_tab_ = Variant();
    SetInitDefaultTab();
  } else {
    SetPropValue(tab_prop::kCurrentTab, current_tab_);
  }
}

void TabContributesViewModel::OnShowTabContentView(const Variant* item) {
  if (!item || item->GetString("extension_id").empty()) {
    VELTO_LOG(log::kFailure) << "extension id is not set";
    return;
  }
  Variant current = Variant::Map();
  current["extension_id"] = item->GetString("extension_id");
  current["contributes_id"] = item->GetString("contributes_id");
  for (const char* key : {"view", "view_type"}) {
    if (item->Has(key)) current[key] = item->Get(key);
  }
  current_tab_ = std::move(current);
  SetPropValue(tab_prop::kCurrentTab, current_tab_);
}

void TabContributesViewModel::OnUpdateTabItem(const Variant* item) {
  const std::string extension_id = item ? item->GetString("extension_id") : std::string();
  if (extension_id.empty()) {
    VELTO_LOG(log::kFailure) << "extension id is not set";
    return;
  }
  const int index = FindItemIndex(extension_id);
  if (index < 0) {
    VELTO_LOG(log::kFailure) << "extension id can't found!";
    return;
  }
  Variant& tab = data_source().MutableElements()[static_cast<size_t>(index)];
  Variant& properties = tab["propertites"];
  for (size_t i = 0; i < item->size(); ++i) {
    if (item->KeyAt(i) != "extension_id") properties[item->KeyAt(i)] = item->ValueAt(i);
  }
  SetPropValue(tab_prop::kUpdateTabItem, tab);
}

void TabContributesViewModel::ReportTabExposure(const std::string& extension_id) {
  static const std::pair<const char*, const char*> kTypes[] = {
      {"invite:extension:copy_invite", "kCopyInvite"},
      {"invite:extension:dial_invite", "kPstnInvite"},
      {"invite:extension:dial_sip_invite", "kVideoMeeting"},
      {"company_contacts:extension:company_contacts", "kShareContacts"},
  };
  const char* type = nullptr;
  for (const auto& [id, name] : kTypes) {
    if (extension_id == id) type = name;
  }
  if (!type) return;
  const bool in_meeting = model::Ask(model_id::kMeetingModel, model_command::meeting::kInMeeting);
  velto_common::utils::analytics::LogEventWith2Properties("e#meeting_invitation#select_invite_type#click", "type", type,
                                                          "in_meeting", in_meeting ? "1" : "0");
}

void TabContributesViewModel::OnExtensionFailed(const std::string& extension_id) {
  const bool was_current = current_tab_.IsMap() && current_tab_.GetString("extension_id") == extension_id;
  ContributesViewModelT::OnExtensionFailed(extension_id);
  if (was_current) {
    current_tab_ = Variant();
    SetPropValue(tab_prop::kCurrentTab, current_tab_);
  }
}

}  // namespace velto
