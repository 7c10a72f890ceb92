// hostkit's record of Navigator calls and the promises behind pushes.
#include "hostkit/navigation.h"

#include <map>
#include <utility>

#include "host_internal.h"
#include "platform_state.h"

namespace {

struct Records {
  std::vector<hostkit::Navigation> navigations;
  std::map<size_t, base::threading::Promise<base::variant::Variant>> pending;  // by record index
};

Records& TheRecords() {
  static auto* records = new Records;
  return *records;
}

void ResetNavigations() {
  TheRecords().navigations.clear();
  TheRecords().pending.clear();
}

const bool kRegistered = host_internal::RegisterReset(&ResetNavigations);

bool IsPush(hostkit::NavigationKind kind) {
  using K = hostkit::NavigationKind;
  return kind == K::kPush || kind == K::kPushModal || kind == K::kPushWithInstanceId ||
         kind == K::kPushModalWithInstanceId;
}

}  // namespace

namespace host_internal::platform {

base::threading::Future<base::variant::Variant> RecordNavigation(hostkit::Navigation navigation) {
  Records& records = TheRecords();
  const bool push = IsPush(navigation.kind);
  records.navigations.push_back(std::move(navigation));
  if (!push) return {};
  base::threading::Promise<base::variant::Variant> promise;
  records.pending.emplace(records.navigations.size() - 1, promise);
  return promise.GetFuture();
}

}  // namespace host_internal::platform

namespace hostkit {

const char* NavigationKindName(NavigationKind kind) {
  switch (kind) {
    case NavigationKind::kPush: return "Push";
    case NavigationKind::kPushModal: return "PushModal";
    case NavigationKind::kPushWithInstanceId: return "PushWithInstanceId";
    case NavigationKind::kPushModalWithInstanceId: return "PushModalWithInstanceId";
    case NavigationKind::kPushWithClosingOthers: return "PushWithClosingOthers";
    case NavigationKind::kPop: return "Pop";
    case NavigationKind::kPopOther: return "PopOther";
    case NavigationKind::kPopOtherWithInstanceId: return "PopOtherWithInstanceId";
    case NavigationKind::kPopUntil: return "PopUntil";
    case NavigationKind::kPopAll: return "PopAll";
    case NavigationKind::kNavigate: return "Navigate";
  }
  return "?";
}

const std::vector<Navigation>& Navigations() { return TheRecords().navigations; }

void ClearNavigations() {
  // Pending pushes stay completable only through their records; dropping the records drops them.
  ResetNavigations();
}

bool CompletePush(size_t index, base::variant::Variant result) {
  Records& records = TheRecords();
  auto it = records.pending.find(index);
  if (it == records.pending.end()) return false;
  auto promise = std::move(it->second);
  records.pending.erase(it);
  return promise.SetValue(std::move(result));
}

}  // namespace hostkit
