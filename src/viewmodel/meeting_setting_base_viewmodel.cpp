#include "module_api/viewmodel/meeting_setting_base_viewmodel.h"

#include "frame/model_subscription.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto {

MeetingSettingBaseViewModel::MeetingSettingBaseViewModel()
    : AuthorizeViewModelT<framework::StatefulViewModel>(kAuthFailedEventPriority) {}

MeetingSettingBaseViewModel::~MeetingSettingBaseViewModel() = default;

void MeetingSettingBaseViewModel::OnViewAttached(const Variant* params) {
  AuthorizeViewModelT<framework::StatefulViewModel>::OnViewAttached(params);
  model::SubscribeModelEvent(this, model::ObserverId(this), model_id::kSettingsWindowModel,
                             model_event::settings_window::kSelectSettingItem,
                             [this](const Variant* event) { OnEventSelectSettingItem(event); });
}

void MeetingSettingBaseViewModel::OnViewDetached() {
  model::UnsubscribeModel(this, model::ObserverId(this), model_id::kSettingsWindowModel);
  AuthorizeViewModelT<framework::StatefulViewModel>::OnViewDetached();
}

void MeetingSettingBaseViewModel::OnSelectSettingItem(const Variant* /*item*/) {}

void MeetingSettingBaseViewModel::OnEventSelectSettingItem(const Variant* event) { OnSelectSettingItem(event); }

}  // namespace velto
