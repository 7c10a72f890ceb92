// velto::MeetingSettingBaseViewModel: the base of the pages of the settings window. It is an
// authorization view model (auth-failed event priority 12) that also hears which settings item
// the user selected in the window's list.
//
//   class AudioSettingsViewModel : public velto::MeetingSettingBaseViewModel {
//    protected:
//     void OnSelectSettingItem(const Variant* item) override { ... scroll to item ... }
//   };
#pragma once

#include "module_api/export.h"
#include "module_api/viewmodel/authorize_viewmodel.h"

namespace velto {

class VELTO_API MeetingSettingBaseViewModel : public AuthorizeViewModelT<framework::StatefulViewModel> {
 public:
  // The auth-failed events reach settings pages at this priority.
  static constexpr unsigned kAuthFailedEventPriority = 12;

  MeetingSettingBaseViewModel();
  ~MeetingSettingBaseViewModel() override;

  // Also listens to the settings window model (1000008) for the selected item; detaching stops.
  void OnViewAttached(const Variant* params) override;
  void OnViewDetached() override;

  // The settings window's selection, as the model sent it.
  virtual void OnSelectSettingItem(const Variant* item);

 protected:
  void OnEventSelectSettingItem(const Variant* event);
};

}  // namespace velto
