// The names of the events a contributes sends to its extensions and of the commands extensions
// send back, as the extension bases and the contributes view models use them.
#pragma once

namespace velto::extension_event {

inline constexpr char kGetItemInfo[] = "GetItemInfo";              // {"contributes_mode", ...}
inline constexpr char kSetCurrentTabEvent[] = "SetCurrentTabEvent";  // the tab was chosen
inline constexpr char kPreCreateTabEvent[] = "PreCreateTabEvent";    // make the tab's view, hidden
inline constexpr char kTabUnselectedEvent[] = "TabUnselectedEvent";

}  // namespace velto::extension_event

namespace velto::extension_command {

inline constexpr char kOnGetItemInfo[] = "OnGetItemInfo";  // the extension's item
inline constexpr char kUpdateItemStatus[] = "UpdateItemStatus";
inline constexpr char kOnShowTabContentViewCommand[] = "OnShowTabContentViewCommand";
inline constexpr char kOnUpdateTabItemCommand[] = "OnUpdateTabItemCommand";

}  // namespace velto::extension_command
