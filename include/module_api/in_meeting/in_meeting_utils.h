// Questions and small actions about the running meeting and its windows
// (velto_common::utils::inmeeting and velto_common::utils::inmeetingwindow), one header per
// group:
//
// - in_meeting/meeting_state.h: is there a meeting, of what kind, in which state;
// - in_meeting/windows.h: window models, layouts, big and small views, window list;
// - in_meeting/views.h: what the views show and the video model's user lists;
// - in_meeting/sharing.h: screen, web, document and whiteboard sharing;
// - in_meeting/devices.h: camera and microphone access, own video push;
// - in_meeting/immersive.h: immersive-mode and info-bar requests on the event bus;
// - in_meeting/fixed_answers.h: features this platform does not have.
//
// Every question asks the host's models afresh; a missing model, a failed call or an answer of
// the wrong kind gives the neutral value (false, -1, 0, "", null) and a level-1 record.
#pragma once

#include "module_api/in_meeting/devices.h"
#include "module_api/in_meeting/fixed_answers.h"
#include "module_api/in_meeting/immersive.h"
#include "module_api/in_meeting/in_meeting_types.h"
#include "module_api/in_meeting/meeting_state.h"
#include "module_api/in_meeting/sharing.h"
#include "module_api/in_meeting/views.h"
#include "module_api/in_meeting/windows.h"
#include "module_api/video_stream/video_stream_types.h"
