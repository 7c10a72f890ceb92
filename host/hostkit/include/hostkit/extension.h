// hostkit: modules, manifests and the traffic between contributes and extensions.
//
//   hostkit::DeclareManifest(hostkit::Json(R"({"module": "invite", "contributes": [
//       {"contributes_id": "invite:contributes:tabs",
//        "extensions": [{"extension_id": "invite:extension:copy_invite"}]}]})"));
//   hostkit::RegisterModule("invite", [](framework::module::IModuleRuntime& runtime) {
//     framework::extension::GetExtensionService()->RegisterExtensionFactory(
//         "invite:extension:copy_invite", [&runtime] { return std::make_shared<CopyInviteTab>(&runtime); });
//   });                                   // loads on demand: LoadModule, or a lazy contributes
//   ...
//   for (const auto& m : hostkit::ExtensionTraffic()) std::cout << hostkit::Describe(m) << "\n";
//   EXPECT_EQ(hostkit::ModuleLoadCount("invite"), 1u);
//
// Every event a contributes sends to an extension and every command an extension sends to its
// contributes is recorded in order, with a copy of its payload, like model calls. Module loads
// and extension activations are timed on the host clock (the manual clock: a module registered
// with a load cost moves it on by that much) and on the real clock. Records are cleared by
// hostkit::Reset().
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/variant/variant.h"
#include "framework/module/module.h"
#include "framework/module/module_records.h"

namespace hostkit {

using base::variant::Variant;

// Manifests, as the host reads them from each module's manifest.json. A document without
// "module", or entries without their ids, are dropped with a level-1 record (see
// framework/module/manifest.h); returns whether the manifest was kept.
bool DeclareManifest(const Variant& document);
void ClearManifests();

// Modules. The entry runs once, at the module's first load, with the module's runtime (whose
// service registry has the view service); it registers the module's extension factories.
struct ModuleOptions {
  int64_t load_cost_ms = 0;  // how long loading takes on the host clock
};
using ModuleEntry = std::function<void(framework::module::IModuleRuntime& runtime)>;
void RegisterModule(const std::string& name, ModuleEntry entry, ModuleOptions options = {});
// Loads now; false for an unknown module or an entry that threw (the exception is swallowed
// here, logged at level 1 by the host).
bool LoadModule(const std::string& name);
bool IsModuleLoaded(const std::string& name);
size_t ModuleLoadCount(const std::string& name);  // successful loads (0 or 1)

// Timings: when each module load and each extension activation started, and how long it took.
using LoadTiming = framework::module::LoadTiming;
std::vector<LoadTiming> ModuleLoads();
std::vector<LoadTiming> ExtensionActivations();

// Traffic between contributes and extensions, in the order it happened.
using ExtensionMessage = framework::module::ExtensionMessage;
std::vector<ExtensionMessage> ExtensionTraffic();
void ClearExtensionTraffic();
// "event GetItemInfo -> home:extension:a" / "command OnGetItemInfo <- home:extension:a".
std::string Describe(const ExtensionMessage& message);
// Describe() of each message, optionally only those with one of `names`.
std::vector<std::string> TrafficLines(const std::vector<std::string>& names = {});

// Views made by the modules' view services (command 0), in order.
using ViewRecord = framework::module::ViewRecord;
std::vector<ViewRecord> CreatedViews();

// View types the UI toolkit draws as its own widgets (tbui::ext::TBModuleRuntime::HasWidget).
void RegisterWidget(const std::string& view_type);

// The host's pop-up dispatcher (framework::module::Dispatcher): the token whose turn it is
// ("" when none) and how many wait.
std::string CurrentPopupToken();
size_t WaitingPopupCount();

}  // namespace hostkit
