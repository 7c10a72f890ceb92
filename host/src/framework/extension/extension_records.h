// What the host keeps about modules and extensions outside of them: the events and commands
// between contributes and extensions, module loads, extension activations and the views the
// view services made. hostkit reads these records. Not installed; not for modules.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/variant/variant.h"
#include "framework/module/manifest.h"
#include "framework/module/module.h"
#include "framework/module/module_records.h"

namespace host_internal::extension {

void Log(int level, const char* file, int line, const char* function, const std::string& text);

using Message = framework::module::ExtensionMessage;
void RecordMessage(Message message);
const std::vector<Message>& Messages();
void ClearMessages();

using Timing = framework::module::LoadTiming;
void RecordModuleLoad(Timing timing);
const std::vector<Timing>& ModuleLoads();
void RecordActivation(Timing timing);
const std::vector<Timing>& Activations();

using View = framework::module::ViewRecord;
void RecordView(View view);
const std::vector<View>& Views();

// Measures a stretch of host work on both clocks.
class Stopwatch {
 public:
  Stopwatch();
  int64_t started_at_ms() const { return started_ms_; }
  void Stop(Timing& timing) const;

 private:
  int64_t started_ms_;
  int64_t started_us_;
};

// Modules the host can load.
struct ModuleOptions {
  // How long the module's load takes on the host clock: the manual clock moves on by this much
  // (no task runs meanwhile); in real time the load sleeps.
  int64_t load_cost_ms = 0;
};
using ModuleEntry = std::function<void(framework::module::IModuleRuntime& runtime)>;
void RegisterModule(const std::string& name, ModuleEntry entry, ModuleOptions options);
bool IsModuleKnown(const std::string& name);
bool IsModuleLoaded(const std::string& name);
bool LoadModule(const std::string& name);
framework::module::IModuleRuntime* ModuleRuntime(const std::string& name);
size_t ModuleLoadCount(const std::string& name);  // successful loads
// The module whose entry is running now ("" outside a load).
const std::string& LoadingModule();

// The module that registered the extension's factory ("" when none did).
std::string FactoryModule(const std::string& extension_id);
// Forgets the factories a module registered (its load failed).
void DropFactoriesOf(const std::string& module);

void AddManifest(framework::module::ModuleManifest manifest);
void ClearManifests();

}  // namespace host_internal::extension
