// The login entries this device offers, and their order.
#include <algorithm>
#include <vector>

#include "module_api/log.h"
#include "module_api/account/login_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"
#include "module_api/model_commands.h"
#include "module_api/runtime.h"

namespace velto_common::utils::login {
namespace {

using base::variant::Variant;
using Mode = velto::LocalDevice::LoginMode;

// The login support model decides which entries the deployment allows.
using velto::model_id::kLoginSupportModel;
namespace cmd {
using velto::model_command::login_support::kIsLoginDisabled;
using velto::model_command::login_support::kForcedLoginName;
}  // namespace cmd

// Resource string ids (resources/strings/login.json).
constexpr int kTitleYamu = 1801001;
constexpr int kTitlePhone = 1801002;
constexpr int kTitleEmail = 1801003;
constexpr int kTitleSso = 1801004;
constexpr int kTitleBexa = 1801005;
constexpr int kTitleQrCode = 1801006;
constexpr int kDisabledEntryTip = 1801010;

struct ModeRow {
  Mode mode;
  const char* disable_key;  // null: never disabled by the deployment
  int title_id;
  int action;               // 0: no action
};

// Visiting order; an item's "index" is its row.
constexpr ModeRow kRows[] = {
    {Mode::kLoginModeYamu, "disable_yamu_login", kTitleYamu, 1212},
    {Mode::kLoginModePhone, "disable_phone_login", kTitlePhone, 1201},
    {Mode::kLoginModeEmail, "disable_email_login", kTitleEmail, 1227},
    {Mode::kLoginModeSso, "disable_sso_login", kTitleSso, 1210},
    {Mode::kLoginModeBexa, "disable_bexa_login", kTitleBexa, 1213},
    {Mode::kLoginModeQrCode, nullptr, kTitleQrCode, 0},
};

// A deployment without the login support model offers every entry, the default one forced; the
// missing model and a failed call are logged, an answer of another kind counts as no answer.
std::string ForcedLoginName(framework::Model* model) {
  Variant answer;
  if (!model) return "yamu";
  if (!model->Call(cmd::kForcedLoginName, nullptr, &answer)) {
    VELTO_LOG(velto::log::kFailure) << "call " << cmd::kForcedLoginName << " of model " << kLoginSupportModel << " failed";
    return "yamu";
  }
  if (answer.IsString() && !answer.AsStringView().empty()) return answer.AsStr();
  return "yamu";
}

Mode ModeOfName(const std::string& name) {
  if (name == "phone") return Mode::kLoginModePhone;
  if (name == "email") return Mode::kLoginModeEmail;
  if (name == "sso") return Mode::kLoginModeSso;
  if (name == "bexa") return Mode::kLoginModeBexa;
  return Mode::kLoginModeYamu;
}

bool IsDisabled(framework::Model* model, const char* key) {
  if (!model) return false;
  Variant argument = Variant::Map();
  argument["key"] = key;
  Variant answer;
  if (!model->Call(cmd::kIsLoginDisabled, &argument, &answer)) {
    VELTO_LOG(velto::log::kFailure) << "call " << cmd::kIsLoginDisabled << " of model " << kLoginSupportModel
                                    << " failed for " << key;
    return false;
  }
  return answer.IsBool() && answer.AsBoolean();
}

int64_t WeightOf(const Variant& item) {
  const Variant& disable = item.Get("disable");
  if (!disable.IsBool()) return 3;
  return disable.AsBoolean() ? 2 : 1;
}

}  // namespace

Variant GetLocalDevicePreferLoginType(const AdjustItem& adjust, const ForcedItem& on_forced) {
  framework::Model* support = velto::model::Find(kLoginSupportModel);
  const std::string forced_name = ForcedLoginName(support);
  const Mode forced = ModeOfName(forced_name);
  std::vector<Variant> items;
  for (size_t index = 0; index < std::size(kRows); ++index) {
    const ModeRow& row = kRows[index];
    Variant item = Variant::Map();
    item["type"] = static_cast<int32_t>(row.mode);
    item["visible"] = true;
    item["disable"] = row.disable_key ? IsDisabled(support, row.disable_key) : false;
    item["title"] = GetLocalizedString(row.title_id);
    if (!row.disable_key) item["visible"] = false;
    if (adjust) adjust(row.mode, item);
    item["disable_tips"] = item.GetBoolean("disable") ? GetLocalizedString(kDisabledEntryTip) : std::string();
    item["index"] = static_cast<int64_t>(index);
    if (!item.GetBoolean("visible")) continue;
    if (row.action != 0) {
      item["action"] = row.action;
      item["type"] = static_cast<int32_t>(row.mode);
    }
    if (item.GetInteger("type", -1) == forced) {
      if (on_forced) on_forced(item);
      item["disable"] = false;
      item["weight"] = 0;
    } else {
      item["weight"] = WeightOf(item);
    }
    items.push_back(std::move(item));
  }
  std::stable_sort(items.begin(), items.end(), [](const Variant& a, const Variant& b) {
    const int64_t wa = a.GetInteger("weight");
    const int64_t wb = b.GetInteger("weight");
    return wa != wb ? wa < wb : a.GetInteger("index") < b.GetInteger("index");
  });
  Variant result = Variant::Array();
  for (Variant& item : items) result.Add(std::move(item));
  VELTO_LOG(velto::log::kTrace) << "GetLocalDevicePreferLoginType -- force type:" << forced_name << " -- result"
                                << result;
  return result;
}

bool IsSameLoginType(int32_t mode, velto::LocalDevice::LoginMode local_mode) {
  return mode == static_cast<int32_t>(local_mode);
}

}  // namespace velto_common::utils::login
