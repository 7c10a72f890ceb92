// Record capture for hostkit. Records may be printed on any thread; the readers below are for
// the UI thread and see a copy taken under the lock.
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "base/log/log.h"
#include "base/log/log_capture.h"
#include "hostkit/hostkit.h"
#include "secret_guard_check.h"

namespace {

// A long simulator run at trace level must not grow without bound; the oldest records go first.
constexpr size_t kMaxRecords = 200000;

struct Capture {
  std::mutex mutex;
  std::deque<hostkit::LogRecord> records;
  std::vector<hostkit::LogRecord> snapshot;  // what Logs() last handed out
};

Capture& TheCapture() {
  static auto* capture = new Capture;  // records printed at exit still land somewhere valid
  return *capture;
}

size_t Count(int level, std::string_view substring, size_t limit) {
  Capture& capture = TheCapture();
  std::lock_guard<std::mutex> lock(capture.mutex);
  size_t count = 0;
  for (const hostkit::LogRecord& record : capture.records) {
    if (record.level == level && record.text.find(substring) != std::string::npos) {
      if (++count == limit) break;
    }
  }
  return count;
}

}  // namespace

namespace host_internal {

void CaptureLogRecord(int level, std::string_view tag, std::string_view file, int line,
                      std::string_view function, std::string_view text) {
  hostkit::LogRecord record{level, std::string(tag), std::string(file), line, std::string(function),
                            std::string(text)};
  hostkit::secret_guard::Check(record);
  Capture& capture = TheCapture();
  std::lock_guard<std::mutex> lock(capture.mutex);
  if (capture.records.size() >= kMaxRecords) capture.records.pop_front();
  capture.records.push_back(std::move(record));
}

void ClearCapturedLogs() {
  Capture& capture = TheCapture();
  std::lock_guard<std::mutex> lock(capture.mutex);
  capture.records.clear();
  capture.snapshot.clear();
}

}  // namespace host_internal

namespace hostkit {

void SetLogLevel(int level) { base::log::SetLogLevel(level); }

const std::vector<LogRecord>& Logs() {
  Capture& capture = TheCapture();
  std::lock_guard<std::mutex> lock(capture.mutex);
  capture.snapshot.assign(capture.records.begin(), capture.records.end());
  return capture.snapshot;
}

void ClearLogs() { host_internal::ClearCapturedLogs(); }

bool HasLog(int level, std::string_view substring) { return Count(level, substring, 1) > 0; }

size_t CountLogs(int level, std::string_view substring) { return Count(level, substring, 0); }

}  // namespace hostkit
