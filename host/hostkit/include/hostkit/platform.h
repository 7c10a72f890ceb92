// hostkit: the platform facts and services behind the web-page and account code: machine
// facts, SDK settings, the desktop's "open", the configure service, web tickets, the server
// clock and the registry facade.
//
//   hostkit::SetDeviceInfo({"Linux", "6.1", "0123abcd", "ThinkPad"});
//   hostkit::Settings().version_language = "en-us";
//   hostkit::SetWebTicket(framework::module::TokenType::kWebTicket, "T-1");
//   hostkit::DeliverConfigureValue("web_url_info", veltosdk::ConfigureValueType::kJson, doc);
//   EXPECT_EQ(hostkit::OpenedTargets().back(), "https://...");
//
// hostkit::Reset() puts all of it back: machine facts read from the machine again, settings
// "zh-cn", no opened targets, the configure service present with no delegates, the ticket
// provider present with no tickets, the server clock at kServerTimeAtReset, no registry keys.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/module/ticket_provider.h"
#include "util/deviceinfo/device_facts.h"
#include "util/os/registry.h"
#include "veltosdk/utils/configure_service.h"
#include "veltosdk/utils/optional_services.h"
#include "veltosdk/utils/settings.h"

namespace hostkit {

// util::deviceinfo answers these instead of the machine's facts until Reset.
using DeviceInfo = util::deviceinfo::DeviceFacts;
void SetDeviceInfo(DeviceInfo info);

// veltosdk::utils::settings::default_settings(); edit in place.
veltosdk::utils::settings::Settings& Settings();

// Every util::system::Open target, in order.
const std::vector<std::string>& OpenedTargets();
void ClearOpenedTargets();

// With false, GetConfigureService() answers null (registrations are kept).
void SetConfigureServiceAvailable(bool available);
// Hands a value to every delegate registered for `key`, in registration order; returns how many.
size_t DeliverConfigureValue(const std::string& key, veltosdk::ConfigureValueType type, const std::string& value);
size_t ConfigureDelegateCount(const std::string& key);

// What the optional SDK service getters (veltosdk/utils/optional_services.h) hand out until Reset;
// null members, the default, make their getters answer null. The objects are not owned.
using SdkServices = veltosdk::OptionalServiceSet;
void SetSdkServices(const SdkServices& services);

// The module service's ticket provider: nullopt makes GetWebTicket answer false for that type.
void SetWebTicket(framework::module::TokenType type, std::optional<std::string> ticket);
// With false, the module service has no ticket provider at all.
void SetTicketProviderAvailable(bool available);
// Every type asked for, in order.
const std::vector<framework::module::TokenType>& TicketRequests();

// The server clock (util::time, clock type 1) reads `now_ms` at the current manual tick and
// moves on with the manual clock.
inline constexpr uint64_t kServerTimeAtReset = 1700000000000;
void SetServerTimeMs(uint64_t now_ms);

// Scripts a registry key (with an optional string value) for util::os.
void SetRegistryValue(util::os::RegistryRoot root, const std::string& path, const std::string& name = {},
                      const std::string& value = {});

}  // namespace hostkit
