#include "veltosdk/utils/settings.h"

#include "hostkit/platform.h"

namespace veltosdk::utils::settings {

const Settings& default_settings() { return hostkit::Settings(); }

}  // namespace veltosdk::utils::settings
