// Documents opened as the user's shell opens them.
#pragma once

#include <windows.h>

#include <string>

#include "platform/program.h"

namespace gleaner::win32 {

class Win32Shell : public Shell {
public:
    bool Open(const std::u16string& path) override;
};

}  // namespace gleaner::win32
