// The runtimes a module reaches the host through, process logging and localized texts.
//
//   framework::module::IModuleRuntime* runtime = velto_common::utils::GetAppModuleRuntime();
//   std::string title = velto_common::utils::GetLocalizedString(0x1a2b3c4d);
#pragma once

#include <functional>
#include <string>

#include "framework/module/module.h"
#include "module_api/export.h"
#include "tbui/ext/tb_module_runtime_base.h"

namespace velto_common::utils {

// The host's application module runtime, asked afresh on every call.
VELTO_API framework::module::IModuleRuntime* GetAppModuleRuntime();

// The text of a resource string id in the current language; "" for an unknown id (the
// provider logs it once).
VELTO_API std::string GetLocalizedString(int id);

}  // namespace velto_common::utils

VELTO_API framework::module::IModuleRuntime* GetAppModuleRuntime();

// The library's UI-toolkit runtime: its assets live under "<install dir>/tbui\app".
class VELTO_API AppTBModuleRuntime : public tbui::ext::TBModuleRuntimeBase {
 public:
  void InitAssets(bool flag) override;
};

// The single toolkit runtime, created on first use and destroyed at library teardown.
VELTO_API AppTBModuleRuntime* GetAppTBModuleRuntime();

// Receives every printed record: (text, level, tag).
using LogSink = std::function<void(const std::string& text, int level, const char* tag)>;

// Creates `log_dir` when missing, sets the level to 6, turns the console off, points the host
// logger at `log_dir` with `sink` attached and starts it. `name` is accepted and unused.
// Returns false when the directory cannot be created (logging then goes on without files).
VELTO_API bool InitLog(const std::string& log_dir, LogSink sink, const char* name);
