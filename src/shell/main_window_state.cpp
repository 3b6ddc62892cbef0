#include "shell/main_window_state.h"

namespace gleaner {

WindowId MainWindowHandle = 0;

}  // namespace gleaner
