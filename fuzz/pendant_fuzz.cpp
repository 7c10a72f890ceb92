// Fuzzes the pendant resource map, which arrives from the server as JSON and goes through the
// Variant reader into the AI settings page's pendant list.
//
// The first byte picks the theme and whether there is a resource directory; the rest is the
// document. Besides the sanitizers, these properties are checked:
//  - the parser accepts exactly the maps whose "list" is an array, and logs
//    "pendant_res_map unvalid" for everything else, leaving the output alone;
//  - it appends one item per entry that is a map with a usable "id" (a non-empty text or an
//    integer), after what the output already held;
//  - every item carries its id as a non-empty text, a text icon path and boolean flags.
//
//   build-fuzz/bin/pendant_fuzz -dict=fuzz/json.dict -max_len=8192 fuzz/corpus/pendant
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/variant/variant.h"
#include "hostkit/hostkit.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/video/video_beauty_util.h"

namespace {

using base::variant::Variant;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool HasUsableId(const Variant& entry) {
  if (!entry.IsMap()) return false;
  const Variant& id = entry.Get("id");
  return (id.IsString() && !id.AsStr().empty()) || id.IsInteger();
}

void CheckItem(const Variant& item) {
  Check(item.IsMap());
  Check(item.Get("id").IsString() && !item.GetString("id").empty());
  Check(item.Get("icon_path").IsString());
  Check(item.Get("title").IsString());
  Check(item.Get("tips_content").IsString());
  Check(item.Get("amount_icon").IsString());
  Check(item.Get("pendant_enable").IsBool());
  Check(item.Get("show_tips").IsBool());
  Check(item.GetBoolean("is_slider_hidden", false));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  hostkit::Reset();
  const uint8_t selector = data[0];
  if (selector & 1) {
    hostkit::InstallModel(velto::model_id::kThemeModel).Answer(velto::model_command::theme::kIsDark, (selector & 2) != 0);
  }
  const std::string dir = selector & 4 ? "/res/beauty/" : "";
  bool parsed = false;
  const Variant resources =
      Variant::ParseJson(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), &parsed);
  if (!parsed) return 0;

  Variant out = Variant::Array();
  out.Add("held before");
  const bool accepted = velto::VideoBeautyUtil::ParserPendantRecource(out, resources, dir);
  const Variant& list = resources.Get("list");
  Check(accepted == (resources.IsMap() && list.IsArray()));
  Check(accepted != hostkit::HasLog(3, "pendant_res_map unvalid"));
  Check(out.At(0).AsStr() == "held before");
  if (!accepted) {
    Check(out.size() == 1);
    return 0;
  }
  size_t usable = 0;
  for (const Variant& entry : list.Elements()) usable += HasUsableId(entry);
  Check(out.size() == 1 + usable);
  for (size_t i = 1; i < out.size(); ++i) CheckItem(out.At(i));
  return 0;
}
