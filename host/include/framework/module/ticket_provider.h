// Login tickets for web pages, handed out by the host's account module through the module
// service (framework::module::GetModuleService()->GetTicketProvider()).
#pragma once

#include <cstdint>
#include <string>

namespace framework::module {

// Kinds of web ticket; the numbers are the "W<n>" ticket types of the web back end.
enum class TokenType : int32_t {
  kWebTicket = 0,  // the ordinary ticket for the product's web pages
  kW9 = 9,
  kW10 = 10,
  kW14 = 14,
};

class ITicketProvider {
 public:
  virtual ~ITicketProvider() = default;
  // False when no ticket can be had (not logged in, back end unreachable); true with the
  // ticket in `ticket` otherwise, which may still be empty.
  virtual bool GetWebTicket(TokenType type, std::string* ticket) = 0;
};

}  // namespace framework::module
