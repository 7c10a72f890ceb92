// Every fatal error the stores reported, kept for hostkit (listeners come and go; the record
// does not). Internal to the host; cleared by hostkit::Reset.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/tkv/tkv.h"

namespace host_internal::tkv {

struct Report {
  std::string path;  // the store's path
  base::tkv::TKVFatalError error;
};

void RecordReport(const std::string& path, const base::tkv::TKVFatalError& error);
std::vector<Report> Reports();

}  // namespace host_internal::tkv
