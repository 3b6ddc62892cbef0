// The running program and the user's shell.
#pragma once

#include <cstdint>
#include <string>

namespace gleaner {

// The running executable and its place among the user's programs.
class Program {
public:
    virtual ~Program() = default;
    // The executable's full path; "" when unknown.
    virtual std::u16string ExecutablePath() = 0;
    // Takes the session-wide name for this process until it ends.
    enum class Claim { Taken, HeldElsewhere, Failed };
    struct InstanceClaim {
        Claim result = Claim::Failed;
        std::uint32_t error = 0;  // the system's error number when Failed
    };
    virtual InstanceClaim ClaimInstance(const std::u16string& name) = 0;
    // The user's Windows display language, as a language id (0x0411 is
    // Japanese); not the region's, nor the keyboard's.
    virtual std::uint16_t UiLanguage() = 0;
    // The user's local (not roaming) application data folder; "" when unknown.
    virtual std::u16string LocalDataFolder() = 0;
    // True when the installer set the program to start at sign-in.
    virtual bool StartsAtSignIn() = 0;
    // Asks Windows to start the program again after a restart for updates
    // (not after a crash or a hang).
    virtual void RequestRestart() = 0;
};

// The user's shell: documents opened as a double click would open them.
class Shell {
public:
    virtual ~Shell() = default;
    // The "open" verb on the file; false when nothing opened it.
    virtual bool Open(const std::u16string& path) = 0;
};

}  // namespace gleaner
