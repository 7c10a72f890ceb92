// hostkit: a gtest listener that fails every test in which a secret marker reached a log record
// (hostkit/secret_guard.h). Header only, for test mains; links nothing but gtest.
//
//   int main(int argc, char** argv) {
//     testing::InitGoogleTest(&argc, argv);
//     hostkit::FailOnSecretsInLogs({hostkit::kSecretMarker});
//     return RUN_ALL_TESTS();
//   }
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "hostkit/secret_guard.h"

namespace hostkit {

class SecretGuardListener : public testing::EmptyTestEventListener {
 public:
  explicit SecretGuardListener(std::vector<std::string> markers) : markers_(std::move(markers)) {}

  // Leaks from before the test (another test's teardown, static set-up) are not this test's.
  void OnTestStart(const testing::TestInfo&) override { TakeSecretLeaks(); }

  // Runs before the result is printed (end events reach listeners in reverse order), so the
  // test is reported as failed. The secret itself is not repeated in the report.
  void OnTestEnd(const testing::TestInfo&) override {
    for (const LogRecord& record : TakeSecretLeaks()) {
      ADD_FAILURE_AT(record.file.c_str(), record.line)
          << "a secret reached a level-" << record.level << " log record of " << record.function << ": "
          << Hidden(record.text);
    }
  }

 private:
  std::string Hidden(std::string text) const {
    for (const std::string& marker : markers_) {
      for (size_t at = text.find(marker); !marker.empty() && at != std::string::npos; at = text.find(marker, at)) {
        text.replace(at, marker.size(), "<secret>");
      }
    }
    return text;
  }

  std::vector<std::string> markers_;
};

// Watches for the markers and fails each test whose records show one.
inline void FailOnSecretsInLogs(std::vector<std::string> markers) {
  WatchLogsForSecrets(markers);
  testing::UnitTest::GetInstance()->listeners().Append(new SecretGuardListener(std::move(markers)));
}

}  // namespace hostkit
