#include <cstdint>
#include <string>
#include <utility>

#include "framework/resource.h"
#include "hostkit/hostkit.h"

namespace hostkit {

void SetLanguage(const std::string& language) { framework::Resource::GetInstance()->SetLanguage(language); }

void SetLocalizedString(int32_t id, std::string text, const std::string& language) {
  framework::Resource* resource = framework::Resource::GetInstance();
  resource->SetString(language.empty() ? resource->GetLanguage() : language, id, std::move(text));
}

}  // namespace hostkit
