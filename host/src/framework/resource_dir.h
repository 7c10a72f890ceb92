// Where the localized texts live. VELTO_RESOURCE_DIR, when set, names the directory. Otherwise it
// is the strings directory of the package this library belongs to, found from the library's own
// path: an installed tree then keeps working wherever it is moved, and the build tree, which has
// the same layout, works the same way.
#pragma once

#include <string>

namespace host_internal {

struct ResourceDir {
  std::string path;    // "" when it cannot be told
  std::string origin;  // how `path` was chosen, for log lines
};

ResourceDir FindResourceDir();

}  // namespace host_internal
