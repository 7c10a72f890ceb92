// Fuzzes the JSON reader and the maps it builds: any bytes must parse or fail cleanly, and what
// parses must survive a write-and-read round trip and editing.
//
// Properties checked besides the sanitizers:
//  - a parsed value written out and read back is equal to itself;
//  - editing one object of an array (adding, removing and overwriting keys) changes no sibling,
//    since siblings of one shape share their key table inside the reader;
//  - the edited object finds every key it lists and no key it dropped.
//
//   build-fuzz/bin/json_fuzz -dict=fuzz/json.dict -max_len=4096 fuzz/corpus/json
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/variant/variant.h"

namespace {

using base::variant::Variant;

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckKeysFindable(const Variant& map) {
  for (size_t i = 0; i < map.size(); ++i) {
    const Variant* found = map.Find(map.KeyAt(i));
    Check(found == &map.ValueAt(i));
  }
}

constexpr std::string_view kAdded = "\x01" "added";

// Edits every object directly inside |array| in turn and checks that the others did not move.
void EditSiblings(const Variant& array) {
  const std::vector<Variant> before(array.Elements().begin(), array.Elements().end());
  for (size_t i = 0; i < before.size(); ++i) {
    if (!before[i].IsMap() || before[i].empty()) continue;
    Variant edited = before[i];
    const std::string first(edited.KeyAt(0));
    edited.Remove(first);
    edited[kAdded] = static_cast<long long>(i);
    if (edited.size() > 1) edited.Set(std::string(edited.KeyAt(edited.size() / 2)), "changed");
    Check(!edited.Has(first) || first == kAdded);
    CheckKeysFindable(edited);
    for (size_t j = 0; j < before.size(); ++j) Check(array.At(j) == before[j]);
    CheckKeysFindable(before[i]);
  }
}

void Walk(const Variant& value, int depth) {
  if (depth > 64) return;
  if (value.IsMap()) {
    CheckKeysFindable(value);
    for (size_t i = 0; i < value.size(); ++i) Walk(value.ValueAt(i), depth + 1);
  } else if (value.IsArray()) {
    EditSiblings(value);
    for (const Variant& item : value.Elements()) Walk(item, depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  bool ok = false;
  Variant value = Variant::ParseJson(text, &ok);
  if (!ok) {
    Check(value.IsNull());
    return 0;
  }
  bool again = false;
  Check(Variant::ParseJson(value.ToJsonStr(), &again) == value);
  Check(again);
  Walk(value, 0);
  return 0;
}
