// The shared services of the logic, all fakes, for a test fixture to inherit.
#pragma once

#include "platform/fake_platform.h"

namespace gleaner::testing_support {

struct FakeDesktop {
    fake::FakeClipboard clipboard;
    fake::FakeEventLoop events;
    fake::FakeMessageBoxes messages;
    Desktop desktop{clipboard, events, messages};
};

}  // namespace gleaner::testing_support
