// Client-wide settings of the platform SDK.
#pragma once

#include <string>

namespace veltosdk::utils::settings {

struct Settings {
  std::string app_language;      // the language the user interface shows, e.g. "zh-cn", "en-us"
  std::string version_language;  // the language edition of this build; may be empty
};

// The SDK's default settings; valid for the life of the process.
const Settings& default_settings();

}  // namespace veltosdk::utils::settings
