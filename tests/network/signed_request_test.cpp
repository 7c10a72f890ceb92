// The platform SDK's signed request over real HTTP: a server on 127.0.0.1 sees exactly what was
// asked and signed, answers come back on the main looper, timeouts and cancellations hold, and
// the network thread is gone after each test.
#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/network.h"
#include "hostkit/timers.h"
#include "network/local_server.h"
#include "veltosdk/plugin/velto_signal_request.h"
#include "veltosdk/user_id_manager.h"
#include "veltosdk/utils/sdk_paths.h"
#include "veltosdk/utils/signature_service.h"

namespace {

using veltosdk::plugin::SignalError;
using veltosdk::plugin::SignalResult;
using namespace std::chrono_literals;

constexpr auto kWallLimit = 10s;
constexpr char kKey[] = "sign-key-S3CRET-7";
constexpr char kToken[] = "TK-S3CRET-42";

struct Answer {
  bool success = false;
  SignalResult result;
  std::string body;  // as JSON
};

class ProbeRequest : public veltosdk::plugin::VeltoSignalRequest {
 public:
  std::vector<Answer> answers;

 protected:
  void HandleBizResponse(bool success, const SignalResult& result, const base::json::JsonValue& body) override {
    answers.push_back({success, result, body.ToJson()});
  }
};

// Computed here with OpenSSL from the documented canonical form, not with the host's helper.
std::string Hmac(const std::string& key, const std::string& text) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  HMAC(EVP_sha256(), key.data(), static_cast<int>(key.size()), reinterpret_cast<const unsigned char*>(text.data()),
       text.size(), digest, &length);
  std::string hex;
  char two[3];
  for (unsigned int i = 0; i < length; ++i) {
    std::snprintf(two, sizeof two, "%02x", digest[i]);
    hex += two;
  }
  return hex;
}

class SignedRequestTest : public testing::Test {
 protected:
  // A sanitizer runtime starts a thread of its own with the process's first new thread; one
  // thread made and joined up front keeps that out of the counts.
  static void SetUpTestSuite() { std::thread([] {}).join(); }

  void SetUp() override {
    baseline_threads_ = hostkit::ThreadCount();
    ASSERT_TRUE(server_.Start());
    hostkit::Environment().cgi_host = server_.base();
    hostkit::Environment().cgi_sign_key = kKey;
    hostkit::Environment().user_token = kToken;
  }
  void TearDown() override {
    release_.Open();  // a handler still waiting must not hold the server up
    hostkit::StopNetwork();
    server_.Stop();
    EXPECT_FALSE(hostkit::IsNetworkRunning());
    EXPECT_EQ(hostkit::ThreadCount(), baseline_threads_);
  }

  // Answers {"code": 0, "msg": "ok", "data": {"path": <path>}} after recording the request.
  void AnswerOk(const std::string& path) {
    server_.http().Post(path, [this](const httplib::Request& request, httplib::Response& response) {
      server_.Record(request);
      response.set_content(R"({"code": 0, "msg": "ok", "data": {"path": ")" + request.path + "\"}}",
                           "application/json");
    });
  }

  bool WaitFor(const ProbeRequest& request, size_t count = 1) {
    return hostkit::RunMainUntil([&] { return request.answers.size() >= count; }, kWallLimit);
  }

  velto_test::Gate release_;  // outlives the server's handlers
  velto_test::LocalServer server_;
  size_t baseline_threads_ = 0;
};

TEST_F(SignedRequestTest, SendsExactlyTheSignedRequest) {
  AnswerOk("/v2/echo");
  hostkit::SetWallClockMs(1700000000999);
  veltosdk::UserIdManager::SharedInstance()->SetSelfId("u 1");
  ProbeRequest request;
  request.SetUrl(server_.base() + "/v2/echo");
  request.SetMethod(veltosdk::plugin::kSignalMethodPost);
  request.AddParams("b", "2");
  request.AddParams("a", "x y&z");
  request.SetBody(R"({"k": 1})");
  request.AddHeader("X-Trace", "t1");
  request.WithAppUid(true);
  request.WithCommonParams(true);
  request.WithToken(true);
  request.WithSign(true);
  ASSERT_TRUE(request.Run());
  EXPECT_TRUE(request.answers.empty()) << "answered inside Run";
  ASSERT_TRUE(WaitFor(request));

  const std::vector<velto_test::SeenRequest> seen = server_.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].method, "POST");
  EXPECT_EQ(seen[0].path, "/v2/echo");
  const std::multimap<std::string, std::string> params{{"a", "x y&z"},         {"app_uid", "u 1"},
                                                       {"b", "2"},             {"client_version", "3.26.0.100"},
                                                       {"instance_id", "default"}, {"platform", "linux"}};
  EXPECT_EQ(seen[0].params, params);
  EXPECT_EQ(seen[0].body, R"({"k": 1})");
  EXPECT_EQ(seen[0].Header("Content-Type"), "application/json");
  EXPECT_EQ(seen[0].Header("X-Trace"), "t1");
  EXPECT_EQ(seen[0].Header("X-Velto-Token"), kToken);
  EXPECT_EQ(seen[0].Header("X-Velto-Timestamp"), "1700000000");
  const std::string canonical =
      "POST\n/v2/echo\n"
      "a=x%20y%26z&app_uid=u%201&b=2&client_version=3.26.0.100&instance_id=default&platform=linux\n"
      "1700000000\n" +
      std::string(kToken);
  EXPECT_EQ(seen[0].Header("X-Velto-Signature"), Hmac(kKey, canonical));

  ASSERT_EQ(request.answers.size(), 1u);
  EXPECT_TRUE(request.answers[0].success);
  EXPECT_EQ(request.answers[0].result.status_code, 200);
  EXPECT_EQ(request.answers[0].result.biz_code, 0);
  EXPECT_EQ(request.answers[0].result.msg, "ok");
  EXPECT_EQ(request.answers[0].body, R"({"code":0,"msg":"ok","data":{"path":"/v2/echo"}})");
}

TEST_F(SignedRequestTest, FormPostCarriesTheParametersAsItsBodyAndSignsWithoutAToken) {
  AnswerOk("/v2/form");
  hostkit::SetWallClockMs(1600000000000);
  ProbeRequest request;
  request.SetUrl(server_.base() + "/v2/form");
  request.SetMethod(veltosdk::plugin::kSignalMethodPostForm);
  request.AddParams("qrcode", "https://x.example/?a=1");
  request.SetBody("ignored");
  request.WithSign(true);
  ASSERT_TRUE(request.Run());
  ASSERT_TRUE(WaitFor(request));
  const auto seen = server_.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].body, "qrcode=https%3A%2F%2Fx.example%2F%3Fa%3D1");
  EXPECT_EQ(seen[0].Header("Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_EQ(seen[0].Header("X-Velto-Token"), "");
  EXPECT_EQ(seen[0].Header("X-Velto-Signature"),
            Hmac(kKey, "POST\n/v2/form\nqrcode=https%3A%2F%2Fx.example%2F%3Fa%3D1\n1600000000\n"));
  EXPECT_TRUE(request.answers[0].success);
}

TEST_F(SignedRequestTest, FailuresAreAnswersWithTheirCodes) {
  server_.http().Post("/error", [](const httplib::Request&, httplib::Response& response) {
    response.status = 500;
    response.set_content(R"({"code": 5001, "msg": "boom"})", "application/json");
  });
  server_.http().Post("/malformed", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("{not json", "application/json");
  });
  server_.http().Post("/array", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("[1, 2]", "application/json");
  });
  server_.http().Post("/biz", [](const httplib::Request&, httplib::Response& response) {
    response.set_content(R"({"code": 23104, "msg": "password"})", "application/json");
  });
  struct Row {
    const char* path;
    int status;
    int64_t biz_code;
    SignalError error;
    const char* msg;
  };
  const Row rows[] = {
      {"/error", 500, 5001, SignalError::kHttpStatus, "boom"},
      {"/malformed", 200, -1, SignalError::kBadBody, "answer is not a JSON object with a code"},
      {"/array", 200, -1, SignalError::kBadBody, "answer is not a JSON object with a code"},
      {"/biz", 200, 23104, SignalError::kBizCode, "password"},
      {"/missing", 404, -1, SignalError::kHttpStatus, "http status 404"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    ProbeRequest request;
    request.SetUrl(server_.base() + row.path);
    request.SetMethod(veltosdk::plugin::kSignalMethodPost);
    ASSERT_TRUE(request.Run());
    ASSERT_TRUE(WaitFor(request));
    ASSERT_EQ(request.answers.size(), 1u);
    EXPECT_FALSE(request.answers[0].success);
    EXPECT_EQ(request.answers[0].result.status_code, row.status);
    EXPECT_EQ(request.answers[0].result.biz_code, row.biz_code);
    EXPECT_EQ(request.answers[0].result.error, row.error);
    EXPECT_EQ(request.answers[0].result.msg, row.msg);
  }
}

TEST_F(SignedRequestTest, SlowAnswerPastTheTimeoutIsATimeout) {
  server_.http().Post("/slow", [&](const httplib::Request&, httplib::Response& response) {
    release_.Wait();
    response.set_content(R"({"code": 0})", "application/json");
  });
  ProbeRequest request;
  request.SetUrl(server_.base() + "/slow");
  request.SetMethod(veltosdk::plugin::kSignalMethodPost);
  request.SetTimeout(100);
  request.ForceAllowCustomTimeout(true);
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(request.Run());
  const bool answered = WaitFor(request);
  const auto waited = std::chrono::steady_clock::now() - started;
  release_.Open();
  ASSERT_TRUE(answered);
  EXPECT_FALSE(request.answers[0].success);
  EXPECT_EQ(request.answers[0].result.error, SignalError::kTimeout);
  EXPECT_EQ(request.answers[0].result.status_code, 0);
  EXPECT_GE(waited, 100ms);
  EXPECT_LT(waited, 5s);
}

TEST_F(SignedRequestTest, CancelledAnswersNeverArrive) {
  server_.http().Post("/held", [&](const httplib::Request& request, httplib::Response& response) {
    server_.Record(request);
    release_.Wait();
    response.set_content(R"({"code": 0})", "application/json");
  });
  AnswerOk("/barrier");
  AnswerOk("/quick");

  ProbeRequest held;  // in flight when cancelled
  held.SetUrl(server_.base() + "/held");
  held.SetMethod(veltosdk::plugin::kSignalMethodPost);
  ASSERT_TRUE(held.Run());
  ASSERT_TRUE(server_.WaitForSeen(1, kWallLimit));
  held.Cancel();
  EXPECT_FALSE(held.IsRunning());

  auto quick = std::make_unique<ProbeRequest>();  // answered at once, destroyed before it is heard
  quick->SetUrl(server_.base() + "/quick");
  quick->SetMethod(veltosdk::plugin::kSignalMethodPost);
  ASSERT_TRUE(quick->Run());
  ASSERT_TRUE(server_.WaitForSeen(2, kWallLimit));
  quick.reset();

  release_.Open();
  ProbeRequest barrier;
  barrier.SetUrl(server_.base() + "/barrier");
  barrier.SetMethod(veltosdk::plugin::kSignalMethodPost);
  ASSERT_TRUE(barrier.Run());
  ASSERT_TRUE(WaitFor(barrier));
  // The held answer was released before the barrier was sent: had it been kept, it would be in.
  EXPECT_TRUE(held.answers.empty());
  EXPECT_TRUE(barrier.answers[0].success);
  EXPECT_EQ(hostkit::NetworkTransfersInFlight(), 0u);
}

TEST_F(SignedRequestTest, AHundredRequestsInARow) {
  server_.http().Post("/count", [](const httplib::Request& request, httplib::Response& response) {
    response.set_content(R"({"code": 0, "data": {"n": )" + request.get_param_value("n") + "}}", "application/json");
  });
  for (int n = 0; n < 100; ++n) {
    ProbeRequest request;
    request.SetUrl(server_.base() + "/count");
    request.SetMethod(veltosdk::plugin::kSignalMethodPostForm);
    request.AddParams("n", std::to_string(n));
    ASSERT_TRUE(request.Run());
    EXPECT_FALSE(request.Run()) << "a second Run while one is running";
    ASSERT_TRUE(WaitFor(request)) << n;
    ASSERT_EQ(request.answers.size(), 1u);
    ASSERT_TRUE(request.answers[0].success) << n;
    ASSERT_EQ(request.answers[0].body, R"({"code":0,"data":{"n":)" + std::to_string(n) + "}}");
  }
  EXPECT_EQ(hostkit::NetworkTransfersInFlight(), 0u);
}

TEST_F(SignedRequestTest, RefusedRequestsAreAnsweredLaterNotSent) {
  ProbeRequest https_only;
  https_only.SetUrl(server_.base() + "/never");
  https_only.SetHttpsOnly(true);
  ProbeRequest no_url;
  ProbeRequest odd_method;
  odd_method.SetUrl(server_.base() + "/never");
  odd_method.SetMethod(9);
  for (ProbeRequest* request : {&https_only, &no_url, &odd_method}) {
    ASSERT_TRUE(request->Run());
    EXPECT_TRUE(request->answers.empty());
  }
  hostkit::RunUntilIdle();
  for (ProbeRequest* request : {&https_only, &no_url, &odd_method}) {
    ASSERT_EQ(request->answers.size(), 1u);
    EXPECT_FALSE(request->answers[0].success);
    EXPECT_EQ(request->answers[0].result.error, SignalError::kRefused);
  }
  EXPECT_EQ(https_only.answers[0].result.msg, "https required");
  EXPECT_TRUE(server_.Seen().empty());
}

TEST_F(SignedRequestTest, ShortTimeoutsAreRaisedUnlessForced) {
  server_.http().Post("/slow", [&](const httplib::Request& request, httplib::Response& response) {
    server_.Record(request);
    release_.Wait();
    response.set_content(R"({"code": 0})", "application/json");
  });
  // 100 ms asked without ForceAllowCustomTimeout: the exchange still has a second.
  ProbeRequest request;
  request.SetUrl(server_.base() + "/slow");
  request.SetMethod(veltosdk::plugin::kSignalMethodPost);
  request.SetTimeout(100);
  ASSERT_TRUE(request.Run());
  ASSERT_TRUE(server_.WaitForSeen(1, kWallLimit));
  EXPECT_FALSE(hostkit::RunMainUntil([&] { return !request.answers.empty(); }, 300ms));
  release_.Open();
  ASSERT_TRUE(WaitFor(request));
}

TEST(SdkServicesTest, TheSignatureServiceSignsWithTheConfiguredKeyAndPathsSitUnderTheGlobalDirectory) {
  hostkit::Environment().cgi_sign_key = kKey;
  veltosdk::ISignatureService* signer = veltosdk::utils::service::GetSignatureService();
  ASSERT_NE(signer, nullptr);
  EXPECT_EQ(signer->Sign("GET\n/\n\n1\n"), Hmac(kKey, "GET\n/\n\n1\n"));
  hostkit::Environment().cgi_sign_key = "other";
  EXPECT_NE(signer->Sign("GET\n/\n\n1\n"), Hmac(kKey, "GET\n/\n\n1\n"));

  hostkit::Environment().global_dir = "/tmp/g/";
  EXPECT_EQ(veltosdk::utils::service::GetBizDirPath(), "/tmp/g/biz");
  EXPECT_EQ(veltosdk::utils::service::GetDatabasePath(), "/tmp/g/database");
  hostkit::Environment().global_dir = "/tmp/g";
  EXPECT_EQ(veltosdk::utils::service::GetAvatarPath(), "/tmp/g/avatar");
}

}  // namespace
