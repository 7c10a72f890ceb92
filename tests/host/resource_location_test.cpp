// Where the host finds its localized texts: beside its own library (the build tree is laid out
// like an installation), or in the directory VELTO_RESOURCE_DIR names, and what it says when
// that place cannot be used.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "base/variant/variant.h"
#include "hostkit/hostkit.h"
#include "module_api/runtime.h"

namespace {

namespace fs = std::filesystem;
using base::variant::Variant;

class ResourceLocationTest : public testing::Test {
 protected:
  void TearDown() override {
    ::unsetenv("VELTO_RESOURCE_DIR");
    hostkit::Reset();
    if (!temp_dir_.empty()) {
      std::error_code error;
      fs::remove_all(temp_dir_, error);
    }
  }

  const fs::path& TempDir() {
    if (temp_dir_.empty()) {
      std::string pattern = (fs::temp_directory_path() / "velto_resloc_XXXXXX").string();
      if (::mkdtemp(pattern.data())) temp_dir_ = pattern;
    }
    return temp_dir_;
  }

  static void UseResourceDir(const fs::path& dir) {
    ::setenv("VELTO_RESOURCE_DIR", dir.c_str(), 1);
    hostkit::Reset();  // reloads the texts from there
  }

 private:
  fs::path temp_dir_;
};

// The first zh-cn text of one of the project's string files.
std::pair<int, std::string> FirstProjectText() {
  std::ifstream in(std::string(VELTO_SOURCE_DIR) + "/resources/strings/login.json", std::ios::binary);
  const std::string json((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const Variant document = Variant::ParseJson(json);
  const Variant& texts = document.Get("zh-cn");
  if (!texts.IsMap() || texts.size() == 0) return {0, {}};
  return {std::stoi(std::string(texts.KeyAt(0))), texts.ValueAt(0).AsStr()};
}

TEST_F(ResourceLocationTest, WithoutOverrideTextsComeFromBesideTheLibrary) {
  ::unsetenv("VELTO_RESOURCE_DIR");
  hostkit::Reset();
  const auto [id, text] = FirstProjectText();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(velto_common::utils::GetLocalizedString(id), text);
  EXPECT_EQ(hostkit::CountLogs(1, "resource directory"), 0u);
}

TEST_F(ResourceLocationTest, OverrideWinsOverThePackageTexts) {
  const auto [id, text] = FirstProjectText();
  std::ofstream(TempDir() / "mine.json") << R"({"zh-cn": {")" << id << R"(": "overridden"}})";
  UseResourceDir(TempDir());
  EXPECT_EQ(velto_common::utils::GetLocalizedString(id), "overridden");
}

TEST_F(ResourceLocationTest, MissingDirectoryIsNamedInALevelOneRecord) {
  const fs::path absent = TempDir() / "no_such_dir";
  UseResourceDir(absent);
  EXPECT_TRUE(hostkit::HasLog(1, "resource directory unusable: " + absent.string()));
  EXPECT_TRUE(hostkit::HasLog(1, "named by VELTO_RESOURCE_DIR"));
  EXPECT_EQ(velto_common::utils::GetLocalizedString(FirstProjectText().first), "");
}

TEST_F(ResourceLocationTest, AFileInPlaceOfTheDirectoryIsReportedAndNothingLoaded) {
  const fs::path file = TempDir() / "strings.json";
  std::ofstream(file) << R"({"zh-cn": {"1": "one"}})";
  UseResourceDir(file);
  EXPECT_TRUE(hostkit::HasLog(1, "resource directory unusable: " + file.string()));
  EXPECT_EQ(velto_common::utils::GetLocalizedString(1), "");
}

}  // namespace
