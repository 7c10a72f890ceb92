#include "hostkit/stores.h"

#include "base/tkv/tkv_reports.h"

namespace hostkit {

std::vector<StoreFailure> StoreFailures() {
  std::vector<StoreFailure> failures;
  for (const host_internal::tkv::Report& report : host_internal::tkv::Reports()) {
    failures.push_back(StoreFailure{report.path, report.error.file, report.error.function, report.error.line,
                                    report.error.content});
  }
  return failures;
}

}  // namespace hostkit
