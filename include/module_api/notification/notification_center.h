// An entry of the in-meeting notification centre, described field by field and handed to the
// host's notification centre model (721), which draws, queues and dismisses it.
//
//   namespace center = velto_common::utils::inmeetingnotificationcenter;
//   center::NotificationCenter entry(kRecordingType, kStatusOngoing);
//   entry.SetDescription(text).SetActionButtonTitle(stop_text).SetInteractiveBlock([](int action) { ... });
//   if (center::NotificationCenter::NotificationCenterEnable()) entry.Show();
//
// The interactive callback stays owned by the entry; the field map carries its address under
// "interactive_block" as a `InteractiveBlock*`, through which the host calls it. The entry must
// outlive what it showed. A copy owns copies of the callbacks (its map carries their
// addresses). Without the host model every operation does nothing (and logs).
//
// What each builder sends to its host model (velto::model_command::..., in model_commands.h):
//
//   model                      Show / Update / Remove         Is showing / enabled
//   notification_center (721)  kShow, kUpdate, kRemove:       kIsEnabled: no argument, bool answer
//                              the entry's map                (NotificationCenterEnable)
//   common_notify (615)        kShow, kUpdate: the card's     kIsShowing: the map, bool answer
//                              map; kRemove: a copy of it     (IsShowing; false on failure)
//                              plus "remove_reason" 5
//   common_message (693)       as common_notify, with the     as common_notify
//                              bar's map; kShow's answer is
//                              ignored
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"
#include "module_api/model_commands.h"

namespace velto_common::utils::inmeetingnotificationcenter {

using base::variant::Variant;

class VELTO_API NotificationCenter {
 public:
  using InteractiveBlock = std::function<void(int action)>;
  static constexpr int kModelId = 721;

  NotificationCenter(int type, int status);
  NotificationCenter(const NotificationCenter& other);
  NotificationCenter(NotificationCenter&& other) noexcept;
  NotificationCenter& operator=(NotificationCenter other) noexcept;
  ~NotificationCenter();

  // An empty description is logged as an error and set all the same.
  NotificationCenter& SetDescription(const std::string& description);
  NotificationCenter& SetBoldDescription(const std::string& text);
  NotificationCenter& SetHyperlinkDescription(const std::string& text);
  NotificationCenter& SetHyperlinkDescriptionV2(const std::string& text);
  NotificationCenter& SetActionButtonTitle(const std::string& title);
  NotificationCenter& SetPositiveText(const std::string& text);
  NotificationCenter& SetNegativeText(const std::string& text);
  // 0 keeps the entry until it is removed.
  NotificationCenter& SetAutoHideTimeInterval(uint64_t interval_ms);
  NotificationCenter& SetCloseButtonVisible(bool visible);
  NotificationCenter& SetCustomIconPath(const std::string& path);
  NotificationCenter& SetExtensionInfo(const std::string& extension_id, const std::string& extension_module);
  // An empty callback removes "interactive_block".
  NotificationCenter& SetInteractiveBlock(InteractiveBlock block);

  void Show();
  void Update();
  void Remove();
  bool isAutoDismiss() const;  // "auto_hide_time_interval" is non-zero
  // Whether the host's notification centre is on (kIsEnabled); false without the model.
  static bool NotificationCenterEnable();

  const Variant& GetData() const { return data_; }

 private:
  // Entries drawn by the centre's own common item unless a module brings its extension.
  NotificationCenter& SetCommonUIEnable(bool enable);
  void Send(int command) const;

  Variant data_;
  std::unique_ptr<InteractiveBlock> interactive_block_;
};

}  // namespace velto_common::utils::inmeetingnotificationcenter
