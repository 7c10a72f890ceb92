// The built-in meeting's audio: microphones muted and unmuted, and once a meeting a microphone
// that fails, whose alert page the library pushes, and that comes back.
#include <algorithm>
#include <memory>
#include <string>

#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "meeting/schedule.h"
#include "meeting/world.h"
#include "module_api/audio/audio_exception.h"
#include "module_api/audio/audio_utils.h"

namespace {

using sim::meeting::Event;
using sim::meeting::Random;
using sim::meeting::Schedule;
using sim::meeting::Variant;
using sim::meeting::World;
namespace audio_exception = velto_common::utils::audio_exception;

void PlanAudio(Schedule& schedule, Random& random) {
  const int64_t end = schedule.plan().end_ms();
  // About one change per person every fifteen minutes, at most two and a half a second.
  schedule.AddPersonalChanges(random, "microphone", 15, 150);
  const int64_t failure = end * 2 / 5;
  schedule.Add(failure, "audio device failure");
  schedule.Add(failure + std::min<int64_t>(20000, end / 10), "audio device back");
}

void Microphone(const Event& event, World& world) {
  const Variant* user = world.fixture().FindUser(event.args.GetString("user_id"));
  if (!user) return;
  Variant changes = Variant::Map();
  changes["audio"] = !user->GetBoolean("audio");
  world.fixture().UpdateUser(event.args.GetString("user_id"), changes);
  world.Count("microphone changes");
  world.Tally("microphone changes");
  world.MembersChanged();
}

// The pages pushed since `from`: the audio exception alert among them.
size_t ShowAlerts(World& world, size_t from) {
  const auto& navigations = hostkit::Navigations();
  size_t shown = 0;
  for (size_t i = from; i < navigations.size(); ++i) {
    const hostkit::Navigation& navigation = navigations[i];
    const bool pushed = navigation.kind == hostkit::NavigationKind::kPush ||
                        navigation.kind == hostkit::NavigationKind::kPushModal ||
                        navigation.kind == hostkit::NavigationKind::kPushWithInstanceId ||
                        navigation.kind == hostkit::NavigationKind::kPushModalWithInstanceId;
    if (navigation.page != audio_exception::kAudioExceptionAlertPage || !pushed) {
      continue;
    }
    const std::string title = navigation.arguments.GetString("title");
    world.Shown("alert", title + ": " + navigation.arguments.GetString("content"),
                navigation.arguments.GetString("main_action_name"));
    world.Note("alert \"" + title + "\" [" + navigation.arguments.GetString("main_action_name") + "]");
    ++shown;
  }
  return shown;
}

void DeviceFailure(const Event&, World& world) {
  static auto* host = new std::shared_ptr<const framework::Context>(std::make_shared<framework::Context>(1, "meeting"));
  audio_exception::RegisterAudioExceptionAlertHost(*host);
  audio_exception::SetJoinMeetingAudioSelectComplete(true);
  const size_t before = hostkit::Navigations().size();
  world.Note("the local microphone fails");
  world.fixture().RaiseAudioDeviceException("mic-usb", 1, 1);
  hostkit::RunUntilIdle();
  world.Count("alerts shown", static_cast<int64_t>(ShowAlerts(world, before)));
}

void DeviceBack(const Event&, World& world) {
  world.fixture().ClearAudioDeviceException();
  hostkit::RunUntilIdle();
  world.Note(std::string("the microphone works again; the library sees an exception: ") +
             (velto_common::utils::audio::HasAudioDeviceException() ? "yes" : "no"));
}

const bool kRegistered = [] {
  sim::meeting::RegisterPlanner(300, "audio", PlanAudio);
  sim::meeting::RegisterEventKind("microphone", "audio", Microphone);
  sim::meeting::RegisterEventKind("audio device failure", "alerts", DeviceFailure);
  sim::meeting::RegisterEventKind("audio device back", "alerts", DeviceBack);
  return true;
}();

}  // namespace
