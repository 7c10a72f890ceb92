// Built through pkg-config against an installed (and moved) package: every text of the given
// resource files, in each of their languages, must resolve through the library to that text.
// Says which did not and exits 1; exits 0 when all did.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "base/variant/variant.h"
#include "framework/resource.h"
#include "module_api/runtime.h"
#include "module_api/version.h"

int main(int argc, char** argv) {
  using base::variant::Variant;
  std::printf("velto_module_api %s\n", VELTO_MODULE_API_VERSION_STRING);
  int checked = 0;
  int failures = 0;
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    const std::string json((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bool ok = false;
    const Variant document = Variant::ParseJson(json, &ok);
    if (!ok || !document.IsMap()) {
      std::fprintf(stderr, "%s: not a resource file\n", argv[i]);
      ++failures;
      continue;
    }
    for (size_t l = 0; l < document.size(); ++l) {
      framework::Resource::GetInstance()->SetLanguage(std::string(document.KeyAt(l)));
      const Variant& texts = document.ValueAt(l);
      for (size_t t = 0; t < texts.size(); ++t) {
        const int id = std::stoi(std::string(texts.KeyAt(t)));
        const std::string expected = texts.ValueAt(t).AsStr();
        const std::string text = velto_common::utils::GetLocalizedString(id);
        ++checked;
        if (text != expected) {
          std::fprintf(stderr, "%s: text %d in %s is \"%s\", expected \"%s\"\n", argv[i], id,
                       std::string(document.KeyAt(l)).c_str(), text.c_str(), expected.c_str());
          ++failures;
        }
      }
    }
  }
  std::printf("%d texts checked, %d wrong\n", checked, failures);
  return failures == 0 && checked > 0 ? 0 : 1;
}
