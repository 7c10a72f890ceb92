// velto::UIEntranceHandler: whether server-configured entrances (a banner, a menu entry) are
// to be shown. It remembers each entrance it was asked about and, when the server's
// configuration changes, reports the new visibility of those.
//
//   class AppsEntry : public velto::UIEntranceHandler {
//     void OnServiceEntranceVisibleChange(const std::string& id, bool visible) override { ... }
//   };
//   bool show = entry.QueryServiceEntranceIfVisible("apps_entry", /*check_end_time=*/true);
//   // the module forwards the configuration-change event: entry.OnEventUIControlConfigChanged(v)
#pragma once

#include <set>
#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto {

class VELTO_API UIEntranceHandler {
 public:
  UIEntranceHandler();
  UIEntranceHandler(const UIEntranceHandler&) = default;
  UIEntranceHandler& operator=(const UIEntranceHandler&) = default;
  virtual ~UIEntranceHandler();

  // Service entrance model, command 1 {"id"}. With `check_end_time`, an entrance stays visible
  // only while the server clock is before its "end_time" (when the model gives one).
  virtual bool QueryServiceEntranceIfVisible(const std::string& entrance_id, bool check_end_time);
  virtual void OnServiceEntranceVisibleChange(const std::string& entrance_id, bool visible);

  // A map of entrance id -> visibility: each remembered entrance it names is reported.
  void OnEventUIControlConfigChanged(const base::variant::Variant* params);
  const std::set<std::string>& entrance_ids() const { return entrance_ids_; }

 private:
  void HandleCallbackWithResult(const base::variant::Variant* result);

  std::set<std::string> entrance_ids_;
};

}  // namespace velto
