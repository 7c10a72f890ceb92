// Turns the store library's fatal errors into the "tkv_fatal_error" analytics event.
#pragma once

#include "base/tkv/tkv.h"

namespace velto_common::utils {

class TKVFatalErrorListener : public base::tkv::TKVFatalErrorListener {
 public:
  ~TKVFatalErrorListener() override = default;
  void OnFatalError(base::tkv::TKV* tkv, const base::tkv::TKVFatalError& error) override;
};

}  // namespace velto_common::utils
