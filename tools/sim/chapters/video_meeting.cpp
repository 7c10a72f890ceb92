// The built-in meeting's camera trouble: once a meeting another application takes the local
// camera; the client raises it, the library pushes the camera exception alert onto the meeting
// window, and the window closes the alert half a minute later.
#include <algorithm>
#include <memory>
#include <string>

#include "framework/context.h"
#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "meeting/schedule.h"
#include "meeting/world.h"
#include "module_api/video/video_exception.h"

namespace {

using sim::meeting::Event;
using sim::meeting::Random;
using sim::meeting::Schedule;
using sim::meeting::Variant;
using sim::meeting::World;
namespace video_exception = velto_common::utils::video_exception;

constexpr int kCameraInUse = -121;

void PlanCamera(Schedule& schedule, Random&) {
  const int64_t end = schedule.plan().end_ms();
  schedule.Add(end * 7 / 10, "camera taken");
  schedule.Add(end * 7 / 10 + std::min<int64_t>(30000, end / 10), "camera alert closed");
}

void CameraTaken(const Event&, World& world) {
  static auto* host = new std::shared_ptr<const framework::Context>(
      std::make_shared<framework::Context>(1, "meeting window"));
  video_exception::RegisterVideoExceptionAlertHost(*host, "velto://page/inmeeting");
  // What the video model reports of the local camera once another application holds it.
  Variant state = Variant::Map();
  state["device_id"] = "usb-cam-1";
  state["device_state"] = 1;
  state["error_type"] = kCameraInUse;
  world.fixture().video().Succeed(43).Succeed(44).Succeed(46).Answer(45, state);
  Variant camera = Variant::Map();
  camera["device_id"] = "usb-cam-1";
  world.fixture().camera().Answer(6, camera);  // the camera in use
  const size_t before = hostkit::Navigations().size();
  world.Note("another application takes the local camera");
  video_exception::RaiseVideoException(kCameraInUse);
  hostkit::RunUntilIdle();
  for (size_t i = before; i < hostkit::Navigations().size(); ++i) {
    const hostkit::Navigation& navigation = hostkit::Navigations()[i];
    if (navigation.kind != hostkit::NavigationKind::kPushModal && navigation.kind != hostkit::NavigationKind::kPush) {
      continue;
    }
    world.Count("alerts shown");
    world.Shown("alert", navigation.page + " (error " + std::to_string(kCameraInUse) + ")");
    world.Note("alert " + navigation.page + " on the meeting window");
  }
}

void AlertClosed(const Event&, World& world) {
  video_exception::HandleCloseVideoException();
  world.Note("the meeting window closes the camera alert");
}

const bool kRegistered = [] {
  sim::meeting::RegisterPlanner(350, "camera trouble", PlanCamera);
  sim::meeting::RegisterEventKind("camera taken", "alerts", CameraTaken);
  sim::meeting::RegisterEventKind("camera alert closed", "alerts", AlertClosed);
  return true;
}();

}  // namespace
