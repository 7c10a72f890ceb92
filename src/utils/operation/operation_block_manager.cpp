// Operations that wait behind the block view until it lets them pass.
#include "utils/operation/operation_block_manager.h"

#include <iterator>
#include <optional>
#include <utility>

#include "base/threading/looper.h"
#include "frame/scope_singleton.h"
#include "framework/module/module.h"
#include "framework/module/navigator.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::block_operation {

using base::variant::Variant;

namespace {

constexpr char kPassed[] = "passed";

ScopeSingleton<OperationBlockManager> g_manager;

bool SameContext(const std::weak_ptr<const framework::Context>& a, const std::shared_ptr<const framework::Context>& b) {
  return !a.owner_before(b) && !b.owner_before(a);
}

// Asks the operation alert model; nullopt when there is no model or the call fails.
std::optional<Variant> Ask(int command, const Variant& argument) {
  framework::Model* model = framework::module::GetAppModuleModel(velto::model_id::kOperationAlertModel);
  Variant answer;
  if (!model || !model->Call(command, &argument, &answer)) return std::nullopt;
  return answer;
}

void Run(const Operation& operation) {
  if (operation) operation();
}

}  // namespace

void OperationBlockManager::BlockOperationIfNeed(std::shared_ptr<const framework::Context> context,
                                                 const std::string& name, Operation operation,
                                                 const std::string& from_source) {
  const void* ctx = context.get();
  Variant argument = Variant::Map();
  argument["from_source"] = from_source;
  const std::optional<Variant> skip = Ask(velto::model_command::operation_alert::kSkipBlock, argument);
  if (!skip) {
    VELTO_LOG(velto::log::kNotable) << "check need skip block failed, maybe no such module, just continue operation ("
                                    << name << "). ctx:" << ctx;
    Run(operation);
    return;
  }
  if (skip->AsBoolean()) {
    VELTO_LOG(velto::log::kTrace) << "skip blocking, execute operation(" << name << ") directly. ctx:" << ctx;
    Run(operation);
    return;
  }
  VELTO_LOG(velto::log::kTrace) << "do not skip blocking, continue show block procedure";
  const std::optional<Variant> need = Ask(velto::model_command::operation_alert::kNeedBlock, argument);
  if (!need) {
    VELTO_LOG(velto::log::kNotable) << "check need block failed, maybe no such module, just continue operation ("
                                    << name << "). ctx:" << ctx;
    Run(operation);
    return;
  }
  // The answer is the decision itself, or a map holding it with the blocking scheme.
  const bool block = need->IsMap() ? need->GetBoolean("need_block", false) : need->AsBoolean();
  if (!block) {
    VELTO_LOG(velto::log::kTrace) << "execute operation(" << name << ") directly. ctx:" << ctx;
    Run(operation);
    return;
  }
  const std::string source = need->GetString("from_scheme", "");
  auto found = operations_.find(name);
  if (found != operations_.end() && found->second.blocked) {
    VELTO_LOG(velto::log::kTrace) << "operation (" << name << ") is already blocked from " << found->second.from_scheme
                                  << ". ctx:" << ctx << ". just let it go.";
    Run(operation);
    return;
  }
  VELTO_LOG(velto::log::kTrace) << "operation (" << name << ") will be blocked from " << source << ". ctx:" << ctx;
  const uint64_t serial = next_serial_++;
  Record& record = operations_[name];
  record.blocked = true;
  record.context = context;
  record.operation = std::move(operation);
  record.from_scheme = source;
  record.serial = serial;
  Variant arguments = Variant::Map();
  arguments["from_source"] = from_source;
  arguments["from_scheme"] = source;
  arguments["operation_name"] = name;
  base::threading::LooperThread::MainLooper()->PostTask(
      [name, serial, arguments] {
        if (OperationBlockManager* manager = g_manager.Peek()) manager->PresentBlockView(name, serial, arguments);
      },
      FROM_HERE);
}

void OperationBlockManager::PresentBlockView(const std::string& name, uint64_t serial, const Variant& arguments) {
  auto found = operations_.find(name);
  if (found == operations_.end() || found->second.serial != serial) return;  // cancelled meanwhile
  std::shared_ptr<const framework::Context> context = found->second.context.lock();
  if (!context) {
    VELTO_LOG(velto::log::kNotable) << "context maybe erase,op_name:" << name;
    return;
  }
  VELTO_LOG(velto::log::kTrace) << "PushModal: SCHEME_OPERATING_ACTIVITIES_BLOCK_MEETING_VIEW";
  framework::module::Navigator::Of(context, framework::PageStack::kWindow)
      .PushModal(kBlockMeetingViewPage, std::string(), arguments)
      .Then([name, serial](const Variant& report) {
        if (OperationBlockManager* manager = g_manager.Peek()) manager->OnBlockViewReport(name, serial, report);
      });
}

void OperationBlockManager::OnBlockViewReport(const std::string& name, uint64_t serial, const Variant& report) {
  auto found = operations_.find(name);
  if (found == operations_.end() || found->second.serial != serial) return;  // cancelled meanwhile
  const bool passed = report.GetString("state") == kPassed;
  VELTO_LOG(velto::log::kTrace) << "blocked operation (" << name << ") state changed to "
                                << (passed ? "passed" : "blocked");
  if (!passed) return;
  VELTO_LOG(velto::log::kTrace) << "execute blocked operation (" << name
                                << "). ctx:" << static_cast<const void*>(found->second.context.lock().get());
  // Forgotten before it runs: the operation may ask to be blocked again.
  Operation operation = std::move(found->second.operation);
  operations_.erase(found);
  Run(operation);
}

void OperationBlockManager::CancelBlockOperation(const std::shared_ptr<const framework::Context>& context,
                                                 const std::string& name) {
  const void* ctx = context.get();
  if (name.empty()) {
    VELTO_LOG(velto::log::kTrace) << "cancel all blocked operations. ctx:" << ctx;
    for (auto it = operations_.begin(); it != operations_.end();) {
      it = SameContext(it->second.context, context) ? operations_.erase(it) : std::next(it);
    }
    return;
  }
  auto found = operations_.find(name);
  if (found == operations_.end() || !SameContext(found->second.context, context)) {
    VELTO_LOG(velto::log::kTrace) << "no blocked operation (" << name << ")";
    return;
  }
  VELTO_LOG(velto::log::kTrace) << "cancel blocked operation (" << name << "). ctx:" << ctx;
  operations_.erase(found);
}

void BlockOperationIfNeed(std::shared_ptr<const framework::Context> context, const std::string& operation_name,
                          Operation operation, const std::string& from_source) {
  g_manager.Get()->BlockOperationIfNeed(std::move(context), operation_name, std::move(operation), from_source);
}

void CancelBlockOperation(std::shared_ptr<const framework::Context> context, const std::string& operation_name) {
  g_manager.Get()->CancelBlockOperation(context, operation_name);
}

}  // namespace velto_common::utils::block_operation
