// framework::extension::IExtensionService: which extensions each contributes lists, and how
// they are made. Modules register a factory per extension id when they load; contributes ask
// the service to make their extensions.
//
//   // In a module's entry (run once, when the host loads the module):
//   framework::extension::GetExtensionService()->RegisterExtensionFactory(
//       "invite:extension:copy_invite", [] { return std::make_shared<CopyInviteTab>(); });
//   // Listing an extension at run time (manifests list the others):
//   GetExtensionService()->RegisterExtensionInfo("invite:contributes:tabs",
//                                                framework::ExtensionInfo("invite:extension:sip", "invite"));
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/extension/extension_info.h"
#include "framework/extension/extension_interface.h"

namespace framework::extension {

using ExtensionFactory = std::function<std::shared_ptr<IExtensionInterface>()>;

class IExtensionService {
 public:
  virtual ~IExtensionService() = default;
  // Run-time listing beside the manifests; a second registration of an id replaces the first.
  virtual void RegisterExtensionInfo(const std::string& contributes_id, const ExtensionInfo& info) = 0;
  virtual void UnRegisterExtensionInfo(const std::string& contributes_id, const std::string& extension_id) = 0;
  // The manifests' entries for the contributes, then the registrations, each id once.
  virtual std::vector<ExtensionInfo> GetExtensionInfos(const std::string& contributes_id) = 0;
  virtual std::optional<ExtensionInfo> FindExtensionInfo(const std::string& contributes_id,
                                                         const std::string& extension_id) = 0;
  // A module registers what it makes while it loads; a second factory replaces the first.
  virtual void RegisterExtensionFactory(const std::string& extension_id, ExtensionFactory factory) = 0;
  virtual void UnRegisterExtensionFactory(const std::string& extension_id) = 0;
  virtual bool HasExtensionFactory(const std::string& extension_id) = 0;
  // A new extension; null when no loaded module makes this id. A factory may throw.
  virtual std::shared_ptr<IExtensionInterface> CreateExtension(const std::string& extension_id) = 0;
};

IExtensionService* GetExtensionService();

}  // namespace framework::extension
