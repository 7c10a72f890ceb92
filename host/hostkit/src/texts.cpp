#include <cstdint>
#include <string>
#include <utility>

#include "framework/resource.h"
#include "hostkit/hostkit.h"
#include "hostkit/platform.h"

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

}  // namespace hostkit
