#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "framework/resource.h"
#include "hostkit/hostkit.h"
#include "hostkit/platform.h"
#include "hostkit/texts.h"

namespace hostkit {

// The interface language lives in two places of the client, the resource texts and the SDK's
// settings; both move together so that a module never sees them disagree.
void SetLanguage(const std::string& language) {
  framework::Resource::GetInstance()->SetLanguage(language);
  Settings().app_language = language;
}

void SetLocalizedString(int32_t id, std::string text, const std::string& language) {
  framework::Resource* resource = framework::Resource::GetInstance();
  resource->SetString(language.empty() ? resource->GetLanguage() : language, id, std::move(text));
}

namespace {

std::string MarkerId(int32_t id) {
  char hex[16];
  std::snprintf(hex, sizeof(hex), "#%08x", static_cast<uint32_t>(id));
  return hex;
}

}  // namespace

void UseMarkerText(int32_t id, const std::vector<std::string>& arg_names) {
  std::vector<std::pair<std::string, std::string>> placeholders;
  for (const std::string& name : arg_names) placeholders.emplace_back(name, "{" + name + "}");
  SetLocalizedString(id, MarkerText(id, placeholders));
}

std::string MarkerText(int32_t id, const std::vector<std::pair<std::string, std::string>>& args) {
  std::string text = MarkerId(id);
  if (args.empty()) return text;
  text += "(";
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) text += "|";
    text += args[i].first + "=" + args[i].second;
  }
  return text + ")";
}

}  // namespace hostkit
