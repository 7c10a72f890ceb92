// The manager behind velto_common::utils::operation_dispatcher. Not installed.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/variant/variant.h"
#include "framework/model.h"
#include "module_api/operation/operation_dispatcher.h"

namespace velto_common::utils::operation_dispatcher {

class OperationDispatcherManager {
 public:
  OperationDispatcherManager() = default;
  OperationDispatcherManager(const OperationDispatcherManager&) = delete;
  OperationDispatcherManager& operator=(const OperationDispatcherManager&) = delete;
  ~OperationDispatcherManager();

  // Subscribes (again) to each event whose model is there.
  void Init();
  void CheckAndAddOperationAlert(int32_t type, const std::string& scheme_path, ShowCallback show);
  void SaveParseSchemeParams(const base::variant::Variant& params);
  void SavePushType(int32_t type);
  bool IsStartUpByScheme() const;
  bool IsInMeetingPath() const;

 private:
  using Handler = void (OperationDispatcherManager::*)(const base::variant::Variant*);
  struct Subscription {
    int model_id;
    int event_id;
    Handler handler;
    framework::Model* model;  // null until subscribed
  };

  void OnAuthorizeStateUpdate(const base::variant::Variant* params);
  void OnLeaveRoomComplete(const base::variant::Variant* params);
  void OnIgnoreList(const base::variant::Variant* params);
  void OnShowAlert(const base::variant::Variant* params);
  void ReportIgnored(int32_t type) const;
  std::string IgnoredText() const;
  int64_t observer_id() const;

  bool is_pull_up_start_ = false;
  int32_t in_meeting_path_type_ = kInMeetingPathNone;
  std::string scheme_url_;
  bool meeting_is_complete_ = false;
  int32_t push_type_ = 0;
  std::set<int32_t> ignore_alerts_;
  std::map<int32_t, ShowCallback> alert_ops_;
  std::vector<Subscription> subscriptions_;
};

}  // namespace velto_common::utils::operation_dispatcher
