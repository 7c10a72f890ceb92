// State of the platform pieces that hostkit scripts (device facts, opened targets, configure
// service, tickets, server clock, registry, navigations). Not installed; not for modules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/threading/future.h"
#include "base/variant/variant.h"
#include "framework/module/navigation_record.h"
#include "framework/module/ticket_provider.h"
#include "util/deviceinfo/device_facts.h"
#include "util/os/registry.h"
#include "veltosdk/utils/configure_service.h"

namespace host_internal::platform {

const std::optional<util::deviceinfo::DeviceFacts>& DeviceOverride();
void RecordOpen(const std::string& target);
veltosdk::IConfigureService* ConfigureService();  // null while hostkit makes it unavailable
framework::module::ITicketProvider* TicketProvider();
// Milliseconds added to the manual tick to give the server clock.
int64_t ServerClockOffsetMs();
std::optional<std::string> RegistryValue(util::os::RegistryRoot root, std::string_view path, std::string_view name,
                                         bool key_only);
// Records a navigation; pushes get a future that hostkit::CompletePush completes.
base::threading::Future<base::variant::Variant> RecordNavigation(framework::module::NavigationRecord navigation);

}  // namespace host_internal::platform
