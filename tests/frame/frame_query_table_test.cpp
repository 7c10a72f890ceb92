// The library-wide entry points of velto_common::utils: the module runtime, localized texts and
// the application name, the pinyin of names and the analytics helpers. None of them asks an
// application model: each gives the same answer with no model installed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module_api/analytics.h"
#include "module_api/app_context.h"
#include "module_api/members/pinyin.h"
#include "module_api/runtime.h"
#include "query_table.h"

namespace {

namespace analytics = velto_common::utils::analytics;
using namespace query_table;

std::string Events(const char* name) {
  const hostkit::AnalyticsEvent* event = hostkit::LastAnalytics(name);
  if (!event) return "none";
  std::string text = event->name;
  for (const auto& [key, value] : event->properties) text += " " + key + "=" + value;
  return text;
}

std::vector<Row> FrameRows() {
  return {
      {"GetAppModuleRuntime", None(), [] { return Text(velto_common::utils::GetAppModuleRuntime() != nullptr); },
       "true", ""},
      {"GetLocalizedString", None(),
       [] {
         hostkit::SetLocalizedString(0x7f000001, "text");
         const std::string unknown = velto_common::utils::GetLocalizedString(0x7f000002);
         return velto_common::utils::GetLocalizedString(0x7f000001) + "/" + unknown + "/" +
                Text(hostkit::HasLog(1, "not found string :2130706434"));
       },
       "text//true", ""},
      {"context::GetAppName", None(), [] { return velto_common::utils::context::GetAppName(); }, "Velto 会议", ""},
      {"ConvertChineseToPinyin", None(), [] { return velto_common::utils::ConvertChineseToPinyin("会议", true); },
       "huiyi", ""},
      {"analytics::LogEvent", None(),
       [] {
         analytics::LogEvent("e#a");
         return Events("e#a");
       },
       "e#a", ""},
      {"analytics::LogEventWithProperty", None(),
       [] {
         analytics::LogEventWithProperty("e#b", "k", "v");
         return Events("e#b");
       },
       "e#b k=v", ""},
      {"analytics::LogEventWith2Properties", None(),
       [] {
         analytics::LogEventWith2Properties("e#c", "k1", "v1", "k2", "v2");
         return Events("e#c");
       },
       "e#c k1=v1 k2=v2", ""},
      {"analytics::LogEventWithProperties", None(),
       [] {
         analytics::LogEventWithProperties("e#d", {{"k", "v"}});
         return Events("e#d");
       },
       "e#d c_cpu_arch=x86 k=v", ""},
      {"analytics::ActiveABTest", None(),
       [] {
         analytics::ActiveABTest("exp", "b");
         const auto& tests = hostkit::ActiveABTests();
         return tests.empty() ? std::string("none") : tests.back().experiment + "/" + tests.back().group;
       },
       "exp/b", ""},
  };
}

QUERY_TABLE_TEST(FrameQueryTable, RuntimeTextsPinyinAndAnalytics, "", FrameRows)

}  // namespace
