// The QR code check over a real signed request to a server on 127.0.0.1: what is sent, how the
// answer's "data" is read, failures, and cancelled checks that are never reported.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/network.h"
#include "module_api/services/qrcode_service.h"
#include "network/local_server.h"
#include "veltosdk/user_id_manager.h"

namespace {

using namespace std::chrono_literals;
constexpr auto kWallLimit = 10s;
constexpr char kCheckPath[] = "/v2/common/scan/check-domain";

struct Report {
  uint64_t id;
  bool success;
  velto::QrcodeVerifyResult result;
};

class Scanner : public velto::IQrcodeServiceDelegate {
 public:
  std::vector<Report> reports;
  void OnVerifyQrcodeResult(uint64_t id, bool success, const velto::QrcodeVerifyResult& result) override {
    reports.push_back({id, success, result});
  }
  bool Has(uint64_t id) const {
    for (const Report& report : reports) {
      if (report.id == id) return true;
    }
    return false;
  }
};

class QrcodeServiceTest : public testing::Test {
 protected:
  // A sanitizer runtime starts a thread of its own with the process's first new thread; one
  // thread made and joined up front keeps that out of the counts.
  static void SetUpTestSuite() { std::thread([] {}).join(); }

  void SetUp() override {
    baseline_threads_ = hostkit::ThreadCount();
    ASSERT_TRUE(server_.Start());
    hostkit::Environment().cgi_host = server_.base();
    hostkit::Environment().user_token = "TK-S3CRET-9";
    server_.http().Post(kCheckPath, [this](const httplib::Request& request, httplib::Response& response) {
      server_.Record(request);
      const std::string code = request.get_param_value("qrcode");
      auto it = answers_.find(code);
      response.set_content(it == answers_.end() ? R"({"code": 0, "data": {}})" : it->second, "application/json");
      if (code == "server-error") response.status = 502;
    });
  }
  void TearDown() override {
    hostkit::StopNetwork();
    server_.Stop();
    EXPECT_EQ(hostkit::ThreadCount(), baseline_threads_);
  }
  bool WaitFor(const Scanner& scanner, uint64_t id) {
    return hostkit::RunMainUntil([&] { return scanner.Has(id); }, kWallLimit);
  }

  velto_test::LocalServer server_;
  std::map<std::string, std::string> answers_;  // by code; filled before any request
  size_t baseline_threads_ = 0;
};

TEST_F(QrcodeServiceTest, SendsTheSignedCheckAndReportsTheData) {
  answers_["https://join.velto.example/j/S3CRET-1"] =
      R"({"code": 0, "msg": "ok", "data": {"trust_type": 2, "open_type": 1, "redirect": "https://r.example",
          "warning_title": "t", "warning_msg": "m", "warning_confirm": "c", "warning_cancel": "x"}})";
  veltosdk::UserIdManager::SharedInstance()->SetSelfId("self-1");
  Scanner scanner;
  auto* service = velto::QrcodeService::SharedInstance();
  ASSERT_TRUE(service->VerifyQrcode("https://join.velto.example/j/S3CRET-1", 7, &scanner, true));
  EXPECT_EQ(service->RunningCount(), 1u);
  ASSERT_TRUE(WaitFor(scanner, 7));

  const auto seen = server_.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].method, "POST");
  EXPECT_EQ(seen[0].path, kCheckPath);
  EXPECT_EQ(seen[0].params.find("qrcode")->second, "https://join.velto.example/j/S3CRET-1");
  EXPECT_EQ(seen[0].params.find("app_uid")->second, "self-1");
  EXPECT_TRUE(seen[0].params.count("client_version"));
  EXPECT_EQ(seen[0].Header("X-Velto-Token"), "TK-S3CRET-9");
  EXPECT_EQ(seen[0].Header("X-Velto-Signature").size(), 64u);

  ASSERT_EQ(scanner.reports.size(), 1u);
  const Report& report = scanner.reports[0];
  EXPECT_TRUE(report.success);
  EXPECT_EQ(report.result.trust_type, 2);
  EXPECT_EQ(report.result.open_type, 1);
  EXPECT_EQ(report.result.redirect, "https://r.example");
  EXPECT_EQ(report.result.warning_title, "t");
  EXPECT_EQ(report.result.warning_msg, "m");
  EXPECT_EQ(report.result.warning_confirm, "c");
  EXPECT_EQ(report.result.warning_cancel, "x");
  EXPECT_EQ(service->RunningCount(), 0u);
  EXPECT_TRUE(hostkit::HasLog(6, "verify qrcode : qrcode="));
  EXPECT_TRUE(hostkit::HasLog(6, ", suc=true, status_code=200, biz_code=0, msg=ok"));
  EXPECT_TRUE(hostkit::HasLog(6, "url=" + server_.base() + kCheckPath));
}

TEST_F(QrcodeServiceTest, WithoutTokenNoTokenIsSent) {
  Scanner scanner;
  ASSERT_TRUE(velto::QrcodeService::SharedInstance()->VerifyQrcode("plain", 1, &scanner, false));
  ASSERT_TRUE(WaitFor(scanner, 1));
  EXPECT_EQ(server_.Seen()[0].Header("X-Velto-Token"), "");
  EXPECT_FALSE(server_.Seen()[0].Header("X-Velto-Signature").empty());
}

TEST_F(QrcodeServiceTest, DataOfTheWrongShapeLeavesTheDefaults) {
  answers_["array"] = R"({"code": 0, "data": [1, 2]})";
  answers_["string-trust"] = R"({"code": 0, "data": {"trust_type": "2", "open_type": 3, "redirect": 5}})";
  Scanner scanner;
  auto* service = velto::QrcodeService::SharedInstance();
  ASSERT_TRUE(service->VerifyQrcode("array", 1, &scanner, false));
  ASSERT_TRUE(service->VerifyQrcode("string-trust", 2, &scanner, false));
  ASSERT_TRUE(hostkit::RunMainUntil([&] { return scanner.reports.size() == 2; }, kWallLimit));
  for (const Report& report : scanner.reports) {
    SCOPED_TRACE(report.id);
    EXPECT_TRUE(report.success);
    EXPECT_EQ(report.result.trust_type, 0);
    EXPECT_EQ(report.result.redirect, "");
    EXPECT_EQ(report.result.open_type, report.id == 2 ? 3 : 0);
  }
  EXPECT_EQ(hostkit::CountLogs(1, "verify qrcode data is not a object!"), 1u);
}

TEST_F(QrcodeServiceTest, FailuresAreReportedWithTheirCodesLogged) {
  answers_["server-error"] = R"({"code": 9, "msg": "down", "data": {"trust_type": 1}})";
  answers_["refused"] = R"({"code": 14001, "msg": "no", "data": {"trust_type": 1}})";
  Scanner scanner;
  auto* service = velto::QrcodeService::SharedInstance();
  ASSERT_TRUE(service->VerifyQrcode("server-error", 1, &scanner, false));
  ASSERT_TRUE(service->VerifyQrcode("refused", 2, &scanner, false));
  ASSERT_TRUE(hostkit::RunMainUntil([&] { return scanner.reports.size() == 2; }, kWallLimit));
  for (const Report& report : scanner.reports) {
    EXPECT_FALSE(report.success);
    EXPECT_EQ(report.result.trust_type, 0) << "data of a failed check is not read";
  }
  EXPECT_TRUE(hostkit::HasLog(6, ", suc=false, status_code=502, biz_code=9, msg=down"));
  EXPECT_TRUE(hostkit::HasLog(6, ", suc=false, status_code=200, biz_code=14001, msg=no"));
}

TEST_F(QrcodeServiceTest, CancelledChecksAreNeverReported) {
  Scanner scanner;
  auto* service = velto::QrcodeService::SharedInstance();
  ASSERT_TRUE(service->VerifyQrcode("first", 1, &scanner, false));
  ASSERT_TRUE(server_.WaitForSeen(1, kWallLimit));  // answered by the server, maybe posted already
  service->Cancel(1);
  EXPECT_EQ(service->RunningCount(), 0u);
  ASSERT_TRUE(service->VerifyQrcode("barrier", 2, &scanner, false));
  ASSERT_TRUE(WaitFor(scanner, 2));
  hostkit::RunUntilIdle();
  EXPECT_FALSE(scanner.Has(1));
  service->Cancel(99);  // unknown: nothing happens
}

TEST_F(QrcodeServiceTest, ASecondCheckOfTheSameIdReplacesTheFirst) {
  answers_["old"] = R"({"code": 0, "data": {"open_type": 1}})";
  answers_["new"] = R"({"code": 0, "data": {"open_type": 2}})";
  Scanner scanner;
  auto* service = velto::QrcodeService::SharedInstance();
  ASSERT_TRUE(service->VerifyQrcode("old", 5, &scanner, false));
  ASSERT_TRUE(service->VerifyQrcode("new", 5, &scanner, false));
  ASSERT_TRUE(WaitFor(scanner, 5));
  ASSERT_TRUE(service->VerifyQrcode("barrier", 6, &scanner, false));
  ASSERT_TRUE(WaitFor(scanner, 6));
  ASSERT_EQ(scanner.reports.size(), 2u);
  EXPECT_EQ(scanner.reports[0].result.open_type, 2);
}

TEST_F(QrcodeServiceTest, ADelegateMayCancelAndStartChecksFromItsReport) {
  struct Chaining : Scanner {
    void OnVerifyQrcodeResult(uint64_t id, bool success, const velto::QrcodeVerifyResult& result) override {
      Scanner::OnVerifyQrcodeResult(id, success, result);
      velto::QrcodeService::SharedInstance()->Cancel(id);
      if (id == 1) velto::QrcodeService::SharedInstance()->VerifyQrcode("next", 2, this, false);
    }
  } scanner;
  ASSERT_TRUE(velto::QrcodeService::SharedInstance()->VerifyQrcode("first", 1, &scanner, false));
  ASSERT_TRUE(WaitFor(scanner, 2));
  EXPECT_EQ(scanner.reports.size(), 2u);
}

}  // namespace
