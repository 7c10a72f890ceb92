// velto::QuickOperationMenuExtensionBase: an entry of the quick-operation menu that a member
// of the member list opens. Whether the entry shows depends on who looks at whom: the module
// answers for the local user's own menu and for each pair of roles.
//
//   class MuteEntry : public velto::QuickOperationMenuExtensionBase {
//     bool ExtensionVisibleByRole(int self, int user) override { return self <= kRoleCoHost && user > self; }
//     bool ExtensionVisibleForSelf() override { return true; }
//   };
//   MuteEntry entry(user_id, menu);
//   if (entry.ExtensionVisible()) ...
#pragma once

#include <string>

#include "module_api/export.h"

namespace velto {

class VELTO_API QuickOperationMenuExtensionBase {
 public:
  // Role indexes, most powerful first.
  static constexpr int kRoleHost = 0;
  static constexpr int kRoleCoHost = 1;
  static constexpr int kRoleAttendee = 2;  // a webinar attendee
  static constexpr int kRoleOther = 3;

  explicit QuickOperationMenuExtensionBase(std::string user_id = {}, std::string menu_context = {});
  QuickOperationMenuExtensionBase(const QuickOperationMenuExtensionBase&) = default;
  QuickOperationMenuExtensionBase& operator=(const QuickOperationMenuExtensionBase&) = default;
  virtual ~QuickOperationMenuExtensionBase();

  // The local user's own menu: ExtensionVisibleForSelf; another member's: by the two roles.
  virtual bool ExtensionVisible();
  virtual bool ExtensionVisibleByRole(int self_role, int user_role) = 0;
  virtual bool ExtensionVisibleForSelf() = 0;

  bool ExtensionVisibleForOther();
  // Host, co-host, webinar attendee or other, for the local user and for the menu's member.
  int GetSelfRoleIndex();
  int GetUserRoleIndex();

  const std::string& user_id() const { return user_id_; }
  // Whatever the menu passes along; copied, never read here.
  const std::string& menu_context() const { return menu_context_; }

 protected:
  std::string user_id_;
  std::string menu_context_;
};

}  // namespace velto
