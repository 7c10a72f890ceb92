#include "module_api/services/qrcode_service.h"

#include <utility>

#include "base/threading/looper.h"
#include "frame/scope_singleton.h"
#include "module_api/log.h"
#include "services/verify_qrcode_request.h"

namespace velto {
namespace {

// The service is shared (its requests' completions hold it weakly), so the singleton holds a
// shared_ptr rather than the object itself.
struct ServiceHolder {
  std::shared_ptr<QrcodeService> service = std::make_shared<QrcodeService>();
};
velto_common::utils::ScopeSingleton<ServiceHolder> g_service;

// A request is never destroyed inside its own answer: the last reference goes to a task.
void Retire(std::unique_ptr<VerifyQrcodeRequest> request) {
  if (!request) return;
  std::shared_ptr<VerifyQrcodeRequest> retired(std::move(request));
  base::threading::LooperThread::CurrentLooper()->PostTask([retired] {});
}

}  // namespace

QrcodeService* QrcodeService::SharedInstance() { return g_service.Get()->service.get(); }

QrcodeService::QrcodeService() = default;
QrcodeService::~QrcodeService() = default;

bool QrcodeService::VerifyQrcode(const std::string& qrcode, uint64_t request_id, IQrcodeServiceDelegate* delegate,
                                 bool with_token) {
  if (requests_.count(request_id)) {
    VELTO_LOG(velto::log::kRejected) << "verify qrcode : request " << request_id << " replaces a running one";
    Cancel(request_id);
  }
  auto request = std::make_unique<VerifyQrcodeRequest>(qrcode, request_id);
  request->InitData(with_token);
  std::weak_ptr<QrcodeService> weak = weak_from_this();
  request->SetCompletion([weak, delegate](VerifyQrcodeRequest& done) {
    if (auto self = weak.lock()) self->OnVerified(done, delegate);
  });
  VerifyQrcodeRequest* raw = request.get();
  requests_[request_id] = std::move(request);
  const bool started = raw->Run();
  if (!started) requests_.erase(request_id);
  return started;
}

void QrcodeService::Cancel(uint64_t request_id) {
  auto it = requests_.find(request_id);
  if (it == requests_.end()) return;
  std::unique_ptr<VerifyQrcodeRequest> request = std::move(it->second);
  requests_.erase(it);
  request->Cancel();
  Retire(std::move(request));
}

void QrcodeService::OnVerified(VerifyQrcodeRequest& request, IQrcodeServiceDelegate* delegate) {
  auto it = requests_.find(request.request_id());
  if (it == requests_.end() || it->second.get() != &request) return;  // cancelled or replaced
  std::unique_ptr<VerifyQrcodeRequest> finished = std::move(it->second);
  requests_.erase(it);
  if (delegate) delegate->OnVerifyQrcodeResult(request.request_id(), request.success(), request.result());
  Retire(std::move(finished));
}

}  // namespace velto
