// The form in which an address may appear in a log record. Internal to the library.
//
// Addresses carry login tickets and one-time codes in their query ("client_key", "ticket",
// "token", "auth_code", "attestation_code", "verify_code", "appeal_code", ...), also inside a
// percent-encoded address that is itself a parameter ("redirect_url=https%3A...%3Fticket%3D...").
// Every record that carries an address writes AddressForLog(address) instead of the address.
#pragma once

#include <string>
#include <string_view>

namespace velto_common::utils::web::internal {

// True for parameter names whose values are secrets: "ticket", "token", "code", "password",
// and names ending in "_key", "_ticket", "_token" or "_code" (any case).
bool IsSecretParamName(std::string_view name);

// `address` with the value of every secret parameter masked as
// veltosdk::utils::safety::ToSafeString does (first and last character kept).
std::string AddressForLog(std::string_view address);

}  // namespace velto_common::utils::web::internal
