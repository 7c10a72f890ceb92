#include "base/tkv/tkv_reports.h"

#include <mutex>

#include "host_internal.h"

namespace host_internal::tkv {
namespace {

struct ReportLog {
  std::mutex mutex;
  std::vector<Report> reports;
};

// Stores closed at exit may still report.
ReportLog& Log() {
  static auto* log = new ReportLog;
  return *log;
}

void ClearReports() {
  std::lock_guard lock(Log().mutex);
  Log().reports.clear();
}

const bool kRegistered = host_internal::RegisterReset(&ClearReports);

}  // namespace

void RecordReport(const std::string& path, const base::tkv::TKVFatalError& error) {
  std::lock_guard lock(Log().mutex);
  Log().reports.push_back(Report{path, error});
}

std::vector<Report> Reports() {
  std::lock_guard lock(Log().mutex);
  return Log().reports;
}

}  // namespace host_internal::tkv
