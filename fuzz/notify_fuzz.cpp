// Fuzzes the notification documents that arrive from outside: an open app's display setting (a
// JSON document of texts per language and window sizes) and the custom extension of an open-app
// chat message (JSON text inside the message).
//
// The first byte picks the input's use; the rest is the document. Besides the sanitizers, these
// properties are checked:
//  - a card's sizes and timeout are never negative, whatever numbers the document holds;
//  - formatting binds only the setting's own texts: with every placeholder bound to "", the
//    formatted text is never longer than the text itself;
//  - an open-app card only ever holds the card keys, and is a map even when the message is junk.
//
//   build-fuzz/bin/notify_fuzz -dict=fuzz/json.dict fuzz/corpus/notify
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "hostkit/hostkit.h"
#include "module_api/notification/notify_data.h"

namespace {

namespace notify = velto_common::utils::inmeetingnotification;
using base::variant::Variant;

void Check(bool condition) {
  if (!condition) std::abort();
}

void ParseSetting(const std::string& document) {
  const notify::NotifyDataSetting setting("app-1", "App", "default content", "Nia", document, "together");
  const notify::NotifyData data = notify::ParseNotifyDataFromSetting(setting);
  Check(data.window_width >= 0 && data.window_height >= 0);
  const Variant card = data.ToVariant();
  Check(card.IsMap());

  const notify::NotifyDataSetting blank("", "", "", "", document, "");
  Check(blank.FormatIfExistName(document).size() <= document.size());
}

void ParseMessage(const std::string& ext, bool as_text) {
  Variant message = Variant::Map();
  Variant element = Variant::Map();
  if (as_text) {
    element["custom_elem_ext"] = ext;
  } else {
    bool ok = false;
    element["custom_elem_ext"] = Variant::ParseJson(ext, &ok);
  }
  message["message_elem_array"].Add(element);
  const Variant card = notify::ParseNotifyDataFromOpenAppMsg(message);
  Check(card.IsMap());
  Check(card.size() <= 18);

  bool ok = false;
  const Variant junk = Variant::ParseJson(ext, &ok);
  Check(notify::ParseNotifyDataFromOpenAppMsg(junk).IsMap());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const bool quiet = [] {
    hostkit::SetLogLevel(0);  // the parsers log what they refuse; the fuzzer need not keep it
    return true;
  }();
  (void)quiet;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  switch (data[0] % 3) {
    case 0:
      ParseSetting(text);
      break;
    case 1:
      ParseMessage(text, true);
      break;
    case 2:
      ParseMessage(text, false);
      break;
  }
  return 0;
}
