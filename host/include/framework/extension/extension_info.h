// framework::ExtensionInfo: what a module manifest (or a run-time registration) says about one
// extension: its id, the module that makes it, whether this build supports it and whether it
// draws its view with the UI toolkit.
//
//   framework::ExtensionInfo info("home:extension:meetings", "meetings");
//   framework::extension::GetExtensionService()->RegisterExtensionInfo("home:contributes:tabs", info);
#pragma once

#include <string>
#include <utility>

namespace framework {

class ExtensionInfo {
 public:
  ExtensionInfo() = default;
  ExtensionInfo(std::string extension_id, std::string module_name)
      : extension_id_(std::move(extension_id)), module_name_(std::move(module_name)) {}

  const std::string& extension_id() const { return extension_id_; }
  const std::string& module_name() const { return module_name_; }
  // False when the manifest marks the extension unsupported on this build ("support": false);
  // such an extension is never listed.
  bool IsSupport() const { return support_; }
  void set_support(bool support) { support_ = support; }
  // True when the extension's view is a toolkit widget ("tbui": true): its view params go
  // straight back to it instead of through the module's view service.
  bool tbui_mode() const { return tbui_mode_; }
  void set_tbui_mode(bool tbui_mode) { tbui_mode_ = tbui_mode; }

 private:
  std::string extension_id_;
  std::string module_name_;
  bool support_ = true;
  bool tbui_mode_ = false;
};

}  // namespace framework
