// QR code service (with --network): scanning a code sends the signed check to a back end the
// simulator starts on 127.0.0.1 for the step, and the scanner hears how to open the code. The
// server answers from the step's "answers" (by code); every exchange stays on this machine.
#include <httplib.h>

#include <chrono>
#include <string>
#include <thread>

#include "hostkit/hostkit.h"
#include "hostkit/network.h"
#include "module_api/services/qrcode_service.h"
#include "sim.h"

namespace {

using sim::Variant;
using namespace std::chrono_literals;

constexpr char kCheckPath[] = "/v2/common/scan/check-domain";

class Scanner : public velto::IQrcodeServiceDelegate {
 public:
  void OnVerifyQrcodeResult(uint64_t id, bool success, const velto::QrcodeVerifyResult& result) override {
    ++reports;
    sim::Print("scanner: check " + std::to_string(id) + (success ? " succeeded" : " failed") +
               ", trust_type " + std::to_string(result.trust_type) + ", open_type " +
               std::to_string(result.open_type) + (result.redirect.empty() ? "" : ", redirect " + result.redirect) +
               (result.warning_title.empty() ? "" : ", warning \"" + result.warning_title + "\""));
  }
  size_t reports = 0;
};

// Serves the check-domain path on an ephemeral port of 127.0.0.1 for as long as it lives.
class LocalBackEnd {
 public:
  explicit LocalBackEnd(Variant answers) : answers_(std::move(answers)) {
    server_.set_tcp_nodelay(true);
    server_.Post(kCheckPath, [this](const httplib::Request& request, httplib::Response& response) {
      const std::string code = request.get_param_value("qrcode");
      const bool signed_request = request.has_header("X-Velto-Signature");
      Variant answer = answers_.Has(code) ? answers_.Get(code) : Variant::Map();
      if (!signed_request) answer = Variant::Map();
      response.set_content(answer.ToJsonStr(), "application/json");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ > 0) thread_ = std::thread([this] { server_.listen_after_bind(); });
  }
  ~LocalBackEnd() {
    if (!thread_.joinable()) return;
    while (!server_.is_running()) std::this_thread::yield();
    server_.stop();
    thread_.join();
  }
  bool ok() const { return port_ > 0; }
  std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

 private:
  Variant answers_;
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

bool Scan(const Variant& step, sim::Context& context) {
  LocalBackEnd back_end(step.Get("answers"));
  if (!back_end.ok()) {
    context.error = "no local port for the back end";
    return false;
  }
  hostkit::Environment().cgi_host = back_end.base();
  Scanner scanner;
  const Variant& codes = step.Get("codes");
  for (size_t i = 0; i < codes.size(); ++i) {
    const std::string code = codes.At(i).AsStr();
    sim::Print("user: scans \"" + code + "\" (check " + std::to_string(i + 1) + ")");
    velto::QrcodeService::SharedInstance()->VerifyQrcode(code, i + 1, &scanner, /*with_token=*/true);
  }
  const size_t cancelled = static_cast<size_t>(step.GetInteger("cancel", 0));
  if (cancelled) {
    sim::Print("user: closes check " + std::to_string(cancelled));
    velto::QrcodeService::SharedInstance()->Cancel(cancelled);
  }
  const size_t expected = codes.size() - (cancelled ? 1 : 0);
  const bool answered = hostkit::RunMainUntil([&] { return scanner.reports >= expected; }, 5s);
  if (!answered) context.error = "the back end did not answer in time";
  if (answered && cancelled) sim::Print("scanner: check " + std::to_string(cancelled) + " was closed: never reported");
  // The network thread and the server end with the step.
  hostkit::StopNetwork();
  return answered;
}

const bool kRegistered = [] {
  sim::RegisterAction("qr_scan",
                      {"Starts a back end on 127.0.0.1, scans the codes one after another and waits for the checks.",
                       {sim::Strs("codes", "the scanned codes, checked with ids 1, 2, ...").Required(),
                        sim::Int("cancel", 0, 1000, "the id of a check the user closes at once (0: none)"),
                        sim::Record("answers", "the back end's reply to each code, by code")}},
                      Scan);
  sim::RegisterNetworkChapter(100, R"json({
    "name": "QR codes checked with a back end on 127.0.0.1",
    "timeline": [
      {"at": 0, "do": "qr_scan",
       "codes": ["https://meeting.velto.example/j/123", "https://unknown.example/pay", "https://slow.example/"],
       "cancel": 3,
       "answers": {
         "https://meeting.velto.example/j/123": {"code": 0, "data": {"trust_type": 1, "open_type": 2,
                                                 "redirect": "velto://page/join?code=123"}},
         "https://unknown.example/pay": {"code": 0, "data": {"trust_type": 3, "open_type": 1,
                                         "warning_title": "Leaving the app", "warning_msg": "Untrusted site"}}
       }}
    ]
  })json");
  return true;
}();

}  // namespace
