// The plug-in getters: each finds exactly its plug-in and interface pair, and answers null (with
// a record) when the SDK has no such plug-in.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "hostkit/hostkit.h"
#include "module_api/plugin_services.h"

namespace {

namespace utils = velto_common::utils;

struct Row {
  const char* getter;
  const char* plugin;
  const char* interface_name;
  std::function<const void*()> get;
};

TEST(PluginServicesTest, EachGetterAsksForItsOwnPluginAndInterface) {
  const Row rows[] = {
      {"GetAuthService", "nordil_office_id", "plugin:auth", [] { return (const void*)utils::GetAuthService(); }},
      {"GetCoWorkConfigService", "nordil_cowork_config", "plugin:cowork_config",
       [] { return (const void*)utils::GetCoWorkConfigService(); }},
      {"GetCommonRedDotService", "nordil_common_reddot", "plugin:common_reddot",
       [] { return (const void*)utils::GetCommonRedDotService(); }},
      {"GetMessagePushService", "nordil_message_push", "plugin:message_push",
       [] { return (const void*)utils::GetMessagePushService(); }},
      {"GetOperationService", "nordil_velto_common_operation", "plugin:common_operation",
       [] { return (const void*)utils::GetOperationService(); }},
      {"GetVirtualBackgroundService", "nordil_media_preprcess", "plugins:virtualbackground",
       [] { return (const void*)utils::GetVirtualBackgroundService(); }},
      {"GetChatService", "nordil_chat", "plugin:chat", [] { return (const void*)utils::GetChatService(); }},
      {"GetProfileService", "nordil_office_id", "plugin:profile", [] { return (const void*)utils::GetProfileService(); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.getter);
    hostkit::Reset();
    int instance = 0;
    EXPECT_EQ(row.get(), nullptr);
    EXPECT_TRUE(hostkit::HasLog(4, std::string("plugin ") + row.plugin + " " + row.interface_name + " not available"));
    // Every other row's pair is installed: none of them may answer for this getter.
    int others = 0;
    for (const Row& other : rows) {
      if (std::string(other.plugin) != row.plugin || std::string(other.interface_name) != row.interface_name) {
        hostkit::InstallPlugin(other.plugin, other.interface_name, &others);
      }
    }
    EXPECT_EQ(row.get(), nullptr);
    hostkit::InstallPlugin(row.plugin, row.interface_name, &instance);
    EXPECT_EQ(row.get(), &instance);
  }
}

}  // namespace
