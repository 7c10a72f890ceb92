// Test modules for the extension tests: a tab and a button that write down what the bases ask
// of them, modules that make them, and an area (a plain host contributes) to put them in.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/extension/extension_contributes_impl.h"
#include "framework/extension/extension_service.h"
#include "hostkit/extension.h"
#include "hostkit/hostkit.h"
#include "module_api/extension/module_extension.h"
#include "module_api/extension/tab_extension.h"

namespace extension_test {

using base::variant::Variant;

// What the test extensions do and saw, shared by every extension of a test.
struct Journal {
  std::vector<std::string> hooks;  // "<id>:<hook>", in order
  std::vector<Variant> view_params;
  std::string throw_in;            // "<id>:<hook>" that throws once reached
  void Note(const std::string& id, const std::string& hook) {
    hooks.push_back(id + ":" + hook);
    if (throw_in == id + ":" + hook) throw std::runtime_error(hook + " broke");
  }
};

inline Journal& TheJournal() {
  static Journal journal;
  return journal;
}

class TestTab : public velto::TabExtension {
 public:
  explicit TestTab(framework::module::IModuleRuntime* runtime, int position = 0)
      : runtime_(runtime), position_(position) {}
  void SetVisible(bool visible) { item_visible_ = visible; }
  using velto::TabExtension::UpdateTabItem;

 protected:
  framework::module::IModuleRuntime* GetModuleRuntime() override { return runtime_; }
  void OnInit(const Variant*) override { TheJournal().Note(GetExtensionId(), "init"); }
  void OnUninit() override { TheJournal().Note(GetExtensionId(), "uninit"); }
  int GetViewModelType() override { return 7; }
  Variant GetTabPropertites(const Variant*) override {
    TheJournal().Note(GetExtensionId(), "properties");
    Variant properties = Variant::Map();
    properties["title"] = std::string("tab ") + GetExtensionId();
    properties["position"] = position_;
    return properties;
  }
  void InnerHandleGetItem(Variant* params) override { TheJournal().view_params.push_back(*params); }
  void OnTabSelected() override { TheJournal().Note(GetExtensionId(), "selected"); }
  void OnTabUnselected() override { TheJournal().Note(GetExtensionId(), "unselected"); }

 private:
  framework::module::IModuleRuntime* runtime_;
  int position_;
};

class TestButton : public velto::ModuleExtension {
 public:
  explicit TestButton(framework::module::IModuleRuntime* runtime) : runtime_(runtime) {}
  using velto::ModuleExtension::GetItemIsVisible;

 protected:
  framework::module::IModuleRuntime* GetModuleRuntime() override { return runtime_; }
  void OnInit(const Variant*) override { TheJournal().Note(GetExtensionId(), "init"); }
  void OnUninit() override { TheJournal().Note(GetExtensionId(), "uninit"); }
  int GetViewModelType() override { return 3; }
  Variant GetExtensionPropertites(const Variant*) override {
    Variant properties = Variant::Map();
    properties["icon"] = "record.png";
    return properties;
  }
  void InnerHandleGetItem(Variant* params) override { TheJournal().view_params.push_back(*params); }

 private:
  framework::module::IModuleRuntime* runtime_;
};

// Declares `module` as making `ids` for `contributes` and registers it; each id is made by
// `make(runtime, id)` once the module is loaded.
using Maker = std::function<std::shared_ptr<framework::IExtensionInterface>(framework::module::IModuleRuntime*,
                                                                             const std::string&)>;
inline void DeclareModule(const std::string& module, const std::string& contributes,
                          const std::vector<std::string>& ids, Maker make, int64_t load_cost_ms = 0) {
  Variant extensions = Variant::Array();
  for (const auto& id : ids) {
    Variant entry = Variant::Map();
    entry["extension_id"] = id;
    extensions.Add(entry);
  }
  Variant entry = Variant::Map();
  entry["contributes_id"] = contributes;
  entry["extensions"] = extensions;
  Variant manifest = Variant::Map();
  manifest["module"] = module;
  manifest["contributes"].Add(entry);
  hostkit::DeclareManifest(manifest);
  hostkit::RegisterModule(
      module,
      [ids, make, module](framework::module::IModuleRuntime& runtime) {
        TheJournal().Note(module, "load");
        for (const auto& id : ids) {
          framework::extension::GetExtensionService()->RegisterExtensionFactory(
              id, [make, id, runtime = &runtime] { return make(runtime, id); });
        }
      },
      {load_cost_ms});
}

inline Maker MakeTabs() {
  return [](framework::module::IModuleRuntime* runtime, const std::string&) { return std::make_shared<TestTab>(runtime); };
}

inline Maker MakeButtons() {
  return [](framework::module::IModuleRuntime* runtime, const std::string&) {
    return std::make_shared<TestButton>(runtime);
  };
}

// A plain host contributes, for driving extensions without a view model.
class Area : public framework::extension::ExtensionContributesImpl {
 public:
  explicit Area(std::string id, int mode = framework::extension::kContributesModeProperties)
      : ExtensionContributesImpl(std::move(id), mode) {}
  int64_t GetViewContext() override { return 500; }
  void OnUpdateItem(const Variant& item) override { updates.push_back(item); }
  std::vector<Variant> updates;
};

// The extension `area` made for `id`, as its concrete class.
template <typename T>
std::shared_ptr<T> Made(const framework::extension::ExtensionContributesImpl& area, const std::string& id) {
  return std::dynamic_pointer_cast<T>(area.FindExtension(id));
}

// Payloads of the recorded messages with this name, in order.
inline std::vector<Variant> Payloads(const std::string& name) {
  std::vector<Variant> result;
  for (const auto& message : hostkit::ExtensionTraffic()) {
    if (message.name == name) result.push_back(message.payload);
  }
  return result;
}

inline void ResetJournal() { TheJournal() = Journal(); }

}  // namespace extension_test
