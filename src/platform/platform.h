// The only doorway from the program's logic to the window system, one header
// for each family of services. The logic in capture/, settings/, popup/,
// hotkeys/ and shell/ talks to these interfaces; the *_win32 files here
// implement them for real and tests/support/fake_platform.h keeps an honest
// in-memory model for the host tests.
#pragma once

#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/geometry.h"
#include "platform/keyboard.h"
#include "platform/message_boxes.h"
#include "platform/notification_area.h"
#include "platform/program.h"
#include "platform/screen.h"
#include "platform/timers.h"
#include "platform/window_id.h"
#include "platform/window_system.h"
