// Whether the chat may store files in a directory the user picked.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>

#include "module_api/chat/chat_utils.h"
#include "module_api/log.h"
#include "util/convert/sensitive_mask.h"
#include "util/file/file_util.h"

namespace velto {
namespace {

// A hidden name no user picks, made unique by process, time and call, so that the probe can
// neither meet a user's file nor another probe running at the same time.
std::string ProbeFileName() {
  static std::atomic<uint64_t> counter{0};
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  char name[96];
  std::snprintf(name, sizeof(name), ".velto_write_probe_%ld_%llx_%llu.tmp", static_cast<long>(::getpid()),
                static_cast<unsigned long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                static_cast<unsigned long long>(counter.fetch_add(1, std::memory_order_relaxed)));
  return name;
}

}  // namespace

bool ChatUtils::HasRightPermission(const std::string& dir) {
  const std::string probe = util::file::MakeFilePath(dir, ProbeFileName());
  VELTO_LOG(log::kTrace) << "check create temp file:" << util::convert::ConvertSensitiveMask(probe);
  if (!util::file::PathExists(probe) && util::file::CanCreateFile(probe)) return true;
  VELTO_LOG(log::kRejected) << "user using no permission path:" << dir;
  return false;
}

}  // namespace velto
