// The running executable and its one-instance claim.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles_win32.h"
#include "platform/program.h"

namespace gleaner::win32 {

class Win32Program : public Program {
public:
    std::u16string ExecutablePath() override;
    InstanceClaim ClaimInstance(const std::u16string& name) override;
    std::uint16_t UiLanguage() override { return GetUserDefaultUILanguage(); }
    std::u16string LocalDataFolder() override;
    bool StartsAtSignIn() override;
    void RequestRestart() override { RegisterApplicationRestart(L"", RESTART_NO_CRASH | RESTART_NO_HANG); }

private:
    UniqueKernelHandle instanceMutex_;  // held until the process ends
};

}  // namespace gleaner::win32
