// The stand-in's module service: one application module runtime whose models hostkit installs.
#pragma once

#include <map>
#include <memory>

#include "framework/module/module.h"

namespace host_internal {

class HostModuleRuntime : public framework::module::IModuleRuntime {
 public:
  std::string name() const override { return "app"; }
  framework::Model* GetModel(int model_id) override;
  void Install(int model_id, std::unique_ptr<framework::Model> model);
  void Remove(int model_id);
  void Clear();
  const std::map<int, std::unique_ptr<framework::Model>>& models() const { return models_; }

 private:
  std::map<int, std::unique_ptr<framework::Model>> models_;
};

HostModuleRuntime& AppRuntime();

}  // namespace host_internal
