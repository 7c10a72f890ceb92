// The texts shown where a video feature cannot run on this machine.
#include <array>
#include <string>
#include <string_view>

#include "framework/string_formatter.h"
#include "module_api/log.h"
#include "module_api/runtime.h"
#include "module_api/video/video_utils.h"
#include "module_api/web/web_util.h"

namespace velto_common::utils::video {

namespace {

constexpr char kSupportArticlePath[] = "/support-question-detail/131/index.html";
constexpr int kLinkButtonText = 0x56B00008;
constexpr int kFeatureNameBase = 0x56B00010;  // + VideoFeature

struct Reason {
  std::string_view name;
  int desc;  // "{function} ..."
  int hover_tips;
};

constexpr std::array<Reason, 3> kReasons = {{
    {"SystemVersionUnsupported", 0x56B00001, 0x56B00005},
    {"DriverUnsupported", 0x56B00002, 0x56B00006},
    {"HardwareUnsupported", 0x56B00003, 0x56B00007},
}};

const Reason* FindReason(std::string_view name) {
  for (const Reason& reason : kReasons) {
    if (reason.name == name) return &reason;
  }
  return nullptr;
}

// The feature's display name: its localized name by "type", else the caller's "function".
std::string FeatureName(const Variant& in) {
  const Variant& type = in.Get("type");
  if (type.IsInteger() && type.AsInteger() >= kFeatureVideo && type.AsInteger() <= kFeaturePendant) {
    return GetLocalizedString(kFeatureNameBase + type.AsInt32());
  }
  return in.GetString("function");
}

std::string Format(int id, const std::string& function) {
  return framework::StringFormatter(GetLocalizedString(id)).Arg("function", function).Str();
}

const Reason* Describe(const Variant& in, Variant& out, const base::Location& from) {
  const std::string reason_name = in.GetString("unsupportdesc");
  const Reason* reason = FindReason(reason_name);
  if (!reason) {
    VELTO_LOG_AT(velto::log::kRejected, from) << "unsupport desc invalid: " << reason_name;
    return nullptr;
  }
  out["desc"] = Format(reason->desc, FeatureName(in));
  return reason;
}

}  // namespace

bool GetVideoUnsupportDesc(const Variant& in, Variant& out) {
  return Describe(in, out, base::Location::Current()) != nullptr;
}

bool GetVideoUnsupportAlertInfo(const Variant& in, Variant& out) {
  const Reason* reason = Describe(in, out, base::Location::Current());
  if (!reason) return false;
  out["hover_tips"] = Format(reason->hover_tips, FeatureName(in));
  out["link_btn_text"] = GetLocalizedString(kLinkButtonText);
  out["link_url"] = web::GetWebHost() + kSupportArticlePath;
  return true;
}

}  // namespace velto_common::utils::video
