// The in-meeting notification builders: notification centre entries, notification cards,
// message bars, and cards made from open-app settings and messages.
#pragma once

#include "module_api/notification/common_message.h"
#include "module_api/notification/common_notify.h"
#include "module_api/notification/notification_center.h"
#include "module_api/notification/notify_data.h"
