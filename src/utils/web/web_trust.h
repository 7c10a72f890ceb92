// Trust decisions on web addresses, shared by the address helpers, the page slots and the web
// view. Internal to the library.
//
// An address is trusted when it is a web address (scheme exactly "http" or "https") that
// base::net::URL accepts (it refuses what a browser would read with another host) and its host
// passes IsVeltoDomain. Only trusted addresses get the client's language or a login ticket.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/location.h"
#include "base/net/url.h"
#include "framework/module/ticket_provider.h"

namespace velto_common::utils::web::internal {

// Longer addresses are refused: a page address never needs more, and a hostile one must not
// cost memory or time in proportion to whatever it holds.
inline constexpr size_t kMaxAddressLength = 64 * 1024;

// False, with a level-1 record at the caller's place, when `address` is over the limit.
bool WithinAddressLimit(std::string_view address, base::Location from = base::Location::Current());

// Valid and of scheme "http" or "https" (not "httpx", not "http-evil").
bool IsWebAddress(const base::net::URL& url);
bool IsTrustedAddress(const base::net::URL& url);

// What a browser or the operating system may be handed: "http:" or "https:" (any case) first,
// and no control character anywhere.
bool IsOpenableWebText(std::string_view address);

// `base` + "?client_key=" + ticket + "&redirect_url=" + `redirect`, with a ticket of
// `token_type` from the host; nullopt, with a record, when `base` is not trusted (no ticket is
// asked for then) or no ticket comes.
std::optional<std::string> TicketAddress(const std::string& base, const std::string& redirect,
                                         framework::module::TokenType token_type);

}  // namespace velto_common::utils::web::internal
