// The process's private memory, for the leak monitor's reports. Linux reports it per mapping
// kind in /proc/self/smaps_rollup; private pages are those no other process shares.
#include <cstdio>
#include <cstring>

#include "module_api/log.h"
#include "module_api/vmleak/vm_leak.h"

namespace velto_common::utils::vmleak {

float VmGetCurrentProcessMemory() {
  std::FILE* file = std::fopen("/proc/self/smaps_rollup", "r");
  if (!file) {
    VELTO_LOG(velto::log::kFailure) << "process memory unreadable: /proc/self/smaps_rollup";
    return 0;
  }
  unsigned long long private_kb = 0;
  char line[256];
  while (std::fgets(line, sizeof line, file)) {
    unsigned long long kb = 0;
    if (std::sscanf(line, "Private_Clean: %llu kB", &kb) == 1 || std::sscanf(line, "Private_Dirty: %llu kB", &kb) == 1) {
      private_kb += kb;
    }
  }
  std::fclose(file);
  // The platform figure is bytes scaled by 1/1024: the kilobytes Linux gives already.
  return static_cast<float>(private_kb);
}

}  // namespace velto_common::utils::vmleak
