#include "capture/kept_collection.h"

#include <cstring>

#include "capture/capture_handler.h"
#include "settings/conf_file.h"

namespace gleaner {
namespace {

constexpr std::string_view kMagic = "gleaner collection 1\n";

void PutText(std::string& bytes, const std::u16string& text) {
    const auto units = static_cast<std::uint32_t>(text.size());
    bytes.append(reinterpret_cast<const char*>(&units), sizeof units);
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
}

std::optional<std::u16string> TakeText(std::string_view& bytes) {
    std::uint32_t units = 0;
    if (bytes.size() < sizeof units) return std::nullopt;
    std::memcpy(&units, bytes.data(), sizeof units);
    bytes.remove_prefix(sizeof units);
    if (bytes.size() / sizeof(char16_t) < units) return std::nullopt;
    std::u16string text(units, u'\0');
    std::memcpy(text.data(), bytes.data(), units * sizeof(char16_t));
    bytes.remove_prefix(units * sizeof(char16_t));
    return text;
}

}  // namespace

std::string EncodeKept(const KeptCollection& kept) {
    std::string bytes(kMagic);
    PutText(bytes, kept.collection);
    PutText(bytes, kept.lastText);
    return bytes;
}

std::optional<KeptCollection> DecodeKept(const std::string& bytes) {
    std::string_view rest = bytes;
    if (!rest.starts_with(kMagic)) return std::nullopt;
    rest.remove_prefix(kMagic.size());
    auto collection = TakeText(rest);
    auto lastText = collection ? TakeText(rest) : std::nullopt;
    if (!lastText || !rest.empty() || collection->empty()) return std::nullopt;
    return KeptCollection{std::move(*collection), std::move(*lastText)};
}

std::u16string KeptCollectionPath(const std::u16string& localDataFolder) {
    return localDataFolder.empty() ? u"" : PathIn(PathIn(localDataFolder, u"gleaner"), u"collection.dat");
}

CollectionKeeper::CollectionKeeper(FileStore& files, DataProtection& protection, Timers& timers,
                                   const TextBox& collection, const ProgramState& state, std::u16string path,
                                   bool keeping)
    : files_(files),
      protection_(protection),
      timers_(timers),
      collection_(collection),
      state_(state),
      path_(std::move(path)),
      keeping_(keeping && !path_.empty()) {}


void CollectionKeeper::Changed() {
    if (!keeping_ || finished_) return;
    if (!HoldsCollection(collection_)) {
        Discard();
        return;
    }
    if (std::exchange(due_, true)) return;
    timers_.Start(TimerId::Keep, kKeepDelayMs);
}

// A write that failed (a full disk, say) is tried again a second later: the
// old file, if any, is still whole meanwhile.
void CollectionKeeper::OnTimer() {
    timers_.Stop(TimerId::Keep);
    due_ = false;
    if (!keeping_ || !HoldsCollection(collection_) || Write(collection_.Text())) return;
    due_ = true;
    timers_.Start(TimerId::Keep, kKeepDelayMs);
}

void CollectionKeeper::Finish(bool keep) {
    finished_ = true;
    if (!keep) {
        Discard();
        return;
    }
    if (!keeping_) return;
    timers_.Stop(TimerId::Keep);
    due_ = false;
    std::u16string collection = HoldsCollection(collection_) ? collection_.Text() : u"";
    const std::u16string separator = DecodeSeparator(state_.Settings.separator);
    for (const std::u16string& copy : state_.QueuedCopies) {
        if (copy.empty()) continue;
        collection += (collection.empty() ? u"" : separator) + copy;
    }
    if (collection.empty())
        files_.Remove(path_);
    else
        Write(collection);
}

void CollectionKeeper::Discard() {
    timers_.Stop(TimerId::Keep);
    due_ = false;
    if (!path_.empty()) files_.Remove(path_);
}

std::optional<KeptCollection> CollectionKeeper::Restore() {
    if (path_.empty() || !files_.Exists(path_)) return std::nullopt;
    if (!keeping_) {
        files_.Remove(path_);
        return std::nullopt;
    }
    // A file locked for a moment (a virus scanner's look) stays for the next start.
    const auto sealed = files_.Read(path_);
    if (!sealed) return std::nullopt;
    const auto bytes = protection_.Open(*sealed);
    auto kept = bytes ? DecodeKept(*bytes) : std::nullopt;
    if (!kept) files_.Remove(path_);
    return kept;
}

bool CollectionKeeper::Write(const std::u16string& collection) {
    const auto slash = path_.find_last_of(u'\\');
    if (slash != std::u16string::npos) files_.MakeFolder(path_.substr(0, slash));
    const auto sealed = protection_.Seal(EncodeKept({collection, state_.LastCapturedText}));
    return sealed && files_.ReplaceAtomically(path_, *sealed);
}

}  // namespace gleaner
