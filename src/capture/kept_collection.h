// The collection kept on disk while it lives, so that a crash, a forced
// restart or a power cut does not lose an hour of gathering: sealed for the
// Windows user, replaced whole at most about once a second after a change,
// and removed as soon as the user is done with it.
#pragma once

#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/timers.h"
#include "platform/window_system.h"
#include "state/program_state.h"

namespace gleaner {

// How long after a change the file is written: a burst of copies costs one
// write a second, and a quiet collection none.
constexpr int kKeepDelayMs = 1000;

struct KeptCollection {
    std::u16string collection;
    std::u16string lastText;  // what the repeat rule compares against
    bool operator==(const KeptCollection&) const = default;
};

// The file's content before it is sealed; nullopt for bytes that are not one.
std::string EncodeKept(const KeptCollection& kept);
std::optional<KeptCollection> DecodeKept(const std::string& bytes);

// <local application data>\gleaner\collection.dat; "" without that folder.
std::u16string KeptCollectionPath(const std::u16string& localDataFolder);

class CollectionKeeper {
public:
    // path "" or keeping off: nothing is ever written.
    CollectionKeeper(FileStore& files, DataProtection& protection, Timers& timers, const TextBox& collection,
                     const ProgramState& state, std::u16string path, bool keeping);

    // The collection changed: written within kKeepDelayMs, or, once it is
    // empty, its file removed at once.
    void Changed();
    // The Keep timer's tick.
    void OnTimer();
    // The program ends: at the end of the Windows session the collection
    // and the copies still waiting are written now; when the user ended it,
    // the file goes. Nothing is written after.
    void Finish(bool keep);
    // At start: the collection kept by a run that did not end by the user's
    // choice. A file that cannot be opened or read as one is removed; with
    // keeping off, any file is.
    std::optional<KeptCollection> Restore();

private:
    bool Write(const std::u16string& collection);
    void Discard();

    FileStore& files_;
    DataProtection& protection_;
    Timers& timers_;
    const TextBox& collection_;
    const ProgramState& state_;
    const std::u16string path_;
    const bool keeping_;
    bool due_ = false;
    bool finished_ = false;
};

}  // namespace gleaner
