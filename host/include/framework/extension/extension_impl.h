// framework::extension::ExtensionImpl: the host's base of every extension. It keeps the ids,
// the extension info, the named event handlers, the weak reference to the extension's view
// model and the UI mode, and sends commands to the contributes the extension lives in.
//
//   class MyTab : public framework::extension::ExtensionImpl {
//     void OnContributesActivate(int64_t, const Variant*) override {
//       RegisterEventHandler("SetCurrentTabEvent", [this](const Variant* in, Variant*) { ... });
//     }
//     void OnContributesUnActivate() override { UnRegisterEventHandler("SetCurrentTabEvent"); }
//   };
//   ...
//   Variant item = Variant::Map();
//   item["visible"] = false;
//   ExecuteCommand("UpdateItemStatus", &item);   // reaches the contributes' OnExtensionCommand
//
// Events arrive through OnContributesEvent, which runs the handler registered under the name
// (an event without a handler is ignored). Commands sent while the extension is in no
// contributes are dropped with a level-1 record.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/extension/extension_interface.h"

namespace framework::extension {

class ExtensionContributesImpl;
struct ContributesLink;

using ExtensionEventHandler = std::function<void(const base::variant::Variant* in, base::variant::Variant* out)>;

class ExtensionImpl : public IExtensionInterface {
 public:
  ExtensionImpl();
  ExtensionImpl(const std::string& extension_id, const ExtensionInfo& info);
  ~ExtensionImpl() override;

  const char* GetExtensionId() override;
  const char* GetContributesId() override;
  void UpdateContributesId(const char* contributes_id) override;
  void SetExtensionInfo(const ExtensionInfo& info) override;
  void OnContributesActivate(int64_t handle, const Variant* params) override;
  void OnContributesEvent(const char* name, const Variant* in, Variant* out) override;
  void OnContributesUnActivate() override;
  void SetViewModel(std::weak_ptr<ViewModel> view_model) override;
  std::weak_ptr<ViewModel> GetViewModel() override;

  // A second registration under the same name replaces the handler.
  void RegisterEventHandler(const std::string& name, ExtensionEventHandler handler);
  void UnRegisterEventHandler(const std::string& name);
  bool HasEventHandler(const std::string& name) const;
  // Sends a command to the contributes; false when the extension is in none.
  bool ExecuteCommand(const std::string& name, const Variant* params);

  const ExtensionInfo& extension_info() const { return info_; }
  // The extension draws with the UI toolkit: view params come back to it directly.
  bool tbui_mode() const { return tbui_mode_; }
  void set_tbui_mode(bool tbui_mode) { tbui_mode_ = tbui_mode; }

 private:
  friend struct ContributesLink;  // the contributes sets contributes_
struct ContributesLink;

  std::string extension_id_;
  std::string contributes_id_;
  ExtensionInfo info_;
  std::map<std::string, std::shared_ptr<const ExtensionEventHandler>> handlers_;
  std::weak_ptr<ViewModel> view_model_;
  bool tbui_mode_ = false;
  ExtensionContributesImpl* contributes_ = nullptr;  // set while the contributes holds it
};

}  // namespace framework::extension
