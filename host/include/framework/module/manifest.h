// Module manifests: what each module of the client declares (in its manifest.json) about the
// extensions it contributes, read without loading the module.
//
//   for (const auto& manifest : framework::module::GetModuleManifestProvider()->GetModuleManifests()) {
//     for (const auto& entry : manifest.contributes) {
//       if (entry.contributes_id != "home:contributes:tabs") continue;
//       for (const framework::ExtensionInfo& info : entry.extensions) { ... info.IsSupport() ... }
//     }
//   }
//
// A manifest document: {"module": name, "contributes": [{"contributes_id": id, "extensions":
// [{"extension_id": id, "support": bool (default true), "tbui": bool (default false)}]}]}.
// The host drops, with a level-1 record, a manifest without "module", a contributes entry
// without "contributes_id" and an extension entry without "extension_id"; a missing
// "extensions" list reads as empty.
#pragma once

#include <string>
#include <vector>

#include "base/variant/variant.h"
#include "framework/extension/extension_info.h"

namespace framework::module {

struct ContributeExtensionInfo {
  std::string contributes_id;
  std::vector<ExtensionInfo> extensions;  // each with module_name() = the manifest's module
};

struct ModuleManifest {
  std::string module_name;
  std::vector<ContributeExtensionInfo> contributes;
};

class IModuleManifestProvider {
 public:
  virtual ~IModuleManifestProvider() = default;
  // Every manifest, in the order the host read them.
  virtual const std::vector<ModuleManifest>& GetModuleManifests() = 0;
};

IModuleManifestProvider* GetModuleManifestProvider();

// Reads a manifest document into `out`; false (logged) when it has no "module".
bool ParseModuleManifest(const base::variant::Variant& document, ModuleManifest* out);

}  // namespace framework::module
