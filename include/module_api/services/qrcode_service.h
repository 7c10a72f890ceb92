// Checking a scanned QR code with the web back end: is its domain trusted, and how should it
// open. Each check is a signed request; its answer comes later, on the UI thread.
//
//   class Scanner : public velto::IQrcodeServiceDelegate {
//     void OnVerifyQrcodeResult(uint64_t id, bool success, const velto::QrcodeVerifyResult& r) override;
//   };
//   velto::QrcodeService::SharedInstance()->VerifyQrcode(text, /*request_id=*/7, &scanner, true);
//   velto::QrcodeService::SharedInstance()->Cancel(7);   // the scanner never hears of 7
//
// The delegate is not owned: cancel its checks before it goes away.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "module_api/export.h"

namespace velto {

class VerifyQrcodeRequest;

// The "data" object of the answer; a key that is missing or of another kind stays 0 or "".
struct QrcodeVerifyResult {
  int64_t trust_type = 0;
  int64_t open_type = 0;
  std::string redirect;
  std::string warning_title;
  std::string warning_msg;
  std::string warning_confirm;
  std::string warning_cancel;
};

class IQrcodeServiceDelegate {
 public:
  virtual ~IQrcodeServiceDelegate() = default;
  // Once per check that was not cancelled; `success` false for network, server and business
  // failures (the result then holds what could be read, usually the defaults).
  virtual void OnVerifyQrcodeResult(uint64_t request_id, bool success, const QrcodeVerifyResult& result) = 0;
};

class VELTO_API QrcodeService : public std::enable_shared_from_this<QrcodeService> {
 public:
  // One per process, made on first use.
  static QrcodeService* SharedInstance();

  QrcodeService();
  ~QrcodeService();
  QrcodeService(const QrcodeService&) = delete;
  QrcodeService& operator=(const QrcodeService&) = delete;

  // Starts a check under `request_id` (a running check of the same id is dropped first) and
  // returns whether the request started. `with_token` signs it with the user's token.
  bool VerifyQrcode(const std::string& qrcode, uint64_t request_id, IQrcodeServiceDelegate* delegate,
                    bool with_token);
  void Cancel(uint64_t request_id);
  size_t RunningCount() const { return requests_.size(); }

 private:
  void OnVerified(VerifyQrcodeRequest& request, IQrcodeServiceDelegate* delegate);

  std::unordered_map<uint64_t, std::unique_ptr<VerifyQrcodeRequest>> requests_;
};

}  // namespace velto
