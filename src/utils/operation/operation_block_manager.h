// The manager behind velto_common::utils::block_operation. Not installed.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "framework/context.h"
#include "module_api/operation/block_operation.h"

namespace velto_common::utils::block_operation {

class OperationBlockManager {
 public:
  void BlockOperationIfNeed(std::shared_ptr<const framework::Context> context, const std::string& name,
                            Operation operation, const std::string& from_source);
  void CancelBlockOperation(const std::shared_ptr<const framework::Context>& context, const std::string& name);

 private:
  struct Record {
    bool blocked = false;
    std::weak_ptr<const framework::Context> context;
    Operation operation;
    std::string from_scheme;  // the source the model named as blocking
    uint64_t serial = 0;      // tells this wait from a later one of the same name
  };

  void PresentBlockView(const std::string& name, uint64_t serial, const base::variant::Variant& arguments);
  void OnBlockViewReport(const std::string& name, uint64_t serial, const base::variant::Variant& report);

  std::map<std::string, Record> operations_;
  uint64_t next_serial_ = 1;
};

}  // namespace velto_common::utils::block_operation
