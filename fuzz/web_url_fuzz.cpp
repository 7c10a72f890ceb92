// Fuzzes what the web family reads from outside: the server's "web_url_info" document, the
// account and login documents, and the style parameters of page addresses.
//
// The first byte picks the input's use; the rest is the document or the address. Besides the
// sanitizers, two properties are checked: a slot never holds an address that does not parse,
// and the style parsers only ever write booleans.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/json/json_value.h"
#include "hostkit/hostkit.h"
#include "hostkit/platform.h"
#include "module_api/account/account_utils.h"
#include "module_api/account/login_utils.h"
#include "module_api/web/web_util.h"
#include "module_api/web/web_view.h"

namespace {

namespace web = velto_common::utils::web;

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckSlot(const std::string& value) { Check(value.empty() || web::IsUrlValid(value)); }

void CheckStyleMap(const base::variant::Variant& out) {
  Check(out.IsMap());
  for (size_t i = 0; i < out.size(); ++i) Check(out.ValueAt(i).IsBool());
}

void ApplyDocument(uint8_t selector, const std::string& text) {
  web::InitWebUrlConfig();
  const auto type = static_cast<veltosdk::ConfigureValueType>(selector % 5);
  hostkit::DeliverConfigureValue("web_url_info", type, text);
  base::json::JsonValue json;
  if (json.ParseFromJson(text)) {
    velto_common::utils::account::SetWebUrls(json);
    velto_common::utils::login::SetWebUrls(json);
  }
  CheckSlot(web::GetVipBuyUrl());
  CheckSlot(web::GetContactUsUrl());
  CheckSlot(web::GetCustomLayoutEditUrl());
  CheckSlot(web::GetOAuthUrl());
  CheckSlot(velto_common::utils::account::GetMeetingCorpCreateUrl());
  Check(!web::GetSHost().empty());
  web::GetRegisterUrl();
}

void ParseStyles(const std::string& url) {
  base::variant::Variant out = base::variant::Variant::Map();
  velto::ParseNavigateStyleFromUrl(url, out);
  CheckStyleMap(out);
  velto::ParseUIStyleOfWVSetting(url, out);
  CheckStyleMap(out);
  velto::ParseWebTicketTypeFromUrl(url);
  web::ReviseWebUrl(url);
}

void OpenPage(uint8_t selector, const std::string& url) {
  velto::NavigateParams navigate;
  navigate.push_type = selector % 8;
  navigate.pop_type = (selector >> 3) % 7;
  if (selector & 0x40) navigate.instance_id = "fuzz";
  auto context = std::make_shared<framework::Context>(1);
  velto::OpenWebPage(url, context, (selector & 0x80) != 0, std::nullopt, navigate);
  velto::CloseWebPage(context, std::move(navigate));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  hostkit::Reset();
  hostkit::SetWebTicket(framework::module::TokenType::kWebTicket, "TK");
  const uint8_t selector = data[1];
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
  switch (data[0] % 3) {
    case 0:
      ApplyDocument(selector, text);
      break;
    case 1:
      ParseStyles(text);
      break;
    case 2:
      web::SetWebHost(selector & 1 ? "user.example" : "");
      OpenPage(selector, text);
      break;
  }
  return 0;
}
