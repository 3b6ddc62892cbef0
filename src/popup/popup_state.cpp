#include "popup/popup_state.h"

namespace gleaner {

WindowId PopupWindowHandle = 0;

}  // namespace gleaner
