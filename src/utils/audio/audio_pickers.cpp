// The device pickers: the desktop's audio connect-mode selector, and the mobile picker that this
// platform does not have.
#include <string>
#include <utility>

#include "framework/module/navigator.h"
#include "module_api/analytics.h"
#include "module_api/audio/audio_exception.h"
#include "module_api/audio/audio_utils.h"
#include "module_api/log.h"

namespace velto_common::utils::audio {

namespace {
constexpr char kConnectModeSelectPage[] = "velto://page/inmeeting/audio_connect_mode_select";
}  // namespace

void ShowDesktopSelectVideoDevice(std::shared_ptr<const framework::Context> context, const Variant& params) {
  if (!context) {
    VELTO_LOG(velto::log::kRejected) << "context is nullptr.";
    return;
  }
  Variant arguments = params.IsMap() ? params : Variant::Map();
  arguments["show_audio_connect_mode_select_view"] = true;
  framework::module::Navigator::Of(std::move(context), framework::PageStack::kWindow)
      .Push(kConnectModeSelectPage, arguments)
      .Then([](const Variant& choice) {
        // Choosing nothing is a choice too: the join goes on without audio.
        audio_exception::SetJoinMeetingAudioSelectComplete(true);
        if (!choice.IsMap() || !choice.Has("audio_connect_mode")) {
          analytics::LogEvent("e#audio_connect_mode_select#cancel#click");
          return;
        }
        SetAudioConnectMode(choice);
        analytics::LogEventWithProperty("e#audio_connect_mode_select#confirm#click", "audio_connect_mode",
                                        std::to_string(choice.GetInteger("audio_connect_mode", -1)));
      });
}

void ShowMobileSelectVideoDevice(framework::UIViewModel* /*view_model*/, std::function<void(bool)> callback,
                                 bool /*flag*/) {
  VELTO_LOG(velto::log::kNotable) << "mobile device picker is not available on this platform";
  if (callback) callback(false);
}

}  // namespace velto_common::utils::audio
