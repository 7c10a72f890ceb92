// The shared readers of configuration items (model 539) and client settings (model 517).
#include <gtest/gtest.h>

#include <string>

#include "hostkit/hostkit.h"
#include "module_api/model/config_reader.h"

using base::variant::Variant;
namespace model = velto::model;

TEST(ConfigurationItems, SendGroupAndIdAndKeepTheDefaultOnWrongKinds) {
  auto& entrance = hostkit::InstallModel(539);
  entrance.Answer(1, true);
  EXPECT_TRUE(model::ReadConfigurationItem("profile", "switch", false));
  const Variant argument = entrance.LastArgument(1);
  EXPECT_EQ(argument.GetString("group_id"), "profile");
  EXPECT_EQ(argument.GetString("id"), "switch");

  EXPECT_EQ(model::ReadConfigurationItem("g", "i", 7), 7);  // a bool is no integer
  entrance.Answer(1, 12);
  EXPECT_FALSE(model::ReadConfigurationItem("g", "i", false));  // an integer is no bool
  EXPECT_EQ(model::ReadConfigurationItem("g", "i", 7), 12);
  EXPECT_EQ(model::ReadConfigurationItem("g", "i", int64_t{7}), 12);
  EXPECT_DOUBLE_EQ(model::ReadConfigurationItem("g", "i", 0.5), 0.5);  // a double item wants a double
  entrance.Answer(1, 0.25);
  EXPECT_DOUBLE_EQ(model::ReadConfigurationItem("g", "i", 0.5), 0.25);
  EXPECT_EQ(model::ReadConfigurationItem("g", "i", 7), 7);  // and an integer item an integer
  EXPECT_EQ(model::ReadConfigurationItem("g", "i", "def"), "def");
  entrance.Answer(1, "text");
  EXPECT_EQ(model::ReadConfigurationItem("g", "i", std::string("def")), "text");
}

TEST(ConfigurationItems, FailuresGiveTheDefaultAndALogAtTheCaller) {
  EXPECT_TRUE(model::ReadConfigurationItem("g", "i", true));
  ASSERT_TRUE(hostkit::HasLog(1, "model 539 not found"));
  EXPECT_EQ(hostkit::Logs().back().file, "config_reader_test.cpp");
  hostkit::InstallModel(539).Fail(1);
  EXPECT_EQ(model::ReadConfigurationItem("g", "i", int64_t{-3}), -3);
  EXPECT_TRUE(model::ReadConfigurationItemValue("g", "i").IsNull());
}

TEST(ClientSettings, ReadSendsKeyAndDefaultOnTheChosenCommand) {
  auto& config = hostkit::InstallModel(517);
  config.Handle(1, [](const Variant& argument, Variant* answer) {
    *answer = argument.Get("def_value");
    return true;
  });
  config.Answer(3, "alt");
  EXPECT_EQ(model::ReadClientSetting("k", 41), 41);
  EXPECT_EQ(config.LastArgument(1).GetString("key"), "k");
  EXPECT_EQ(config.LastArgument(1).GetInteger("def_value"), 41);
  EXPECT_EQ(model::ReadClientSetting("k", "d", model::kClientSettingReadAlt), "alt");
  EXPECT_FALSE(model::ReadClientSetting("k", false, model::kClientSettingReadAlt));
  // A client setting is a number where a double is asked: an integer reads as one.
  config.Answer(3, 2);
  EXPECT_DOUBLE_EQ(model::ReadClientSetting("k", 0.5, model::kClientSettingReadAlt), 2.0);
}

TEST(ClientSettings, WritesAMapOfKeyToValue) {
  auto& config = hostkit::InstallModel(517);
  config.Succeed(2).Fail(4);
  EXPECT_TRUE(model::WriteClientSetting("audio.x", true));
  EXPECT_TRUE(config.LastArgument(2).GetBoolean("audio.x"));
  EXPECT_FALSE(model::WriteClientSetting("audio.x", 3, model::kClientSettingWriteAlt));
  EXPECT_TRUE(hostkit::HasLog(1, "call 4 of model 517 failed"));
}
