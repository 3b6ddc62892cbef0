#include "shell/version.h"

#include <functional>

namespace gleaner {

VersionInfo ProgramVersion;

namespace {

std::u16string Decimal(unsigned value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// One node of a version resource: a length, a value, a key and children,
// each part aligned to four bytes.
struct Node {
    std::u16string key;
    std::size_t valueStart = 0;
    std::size_t valueBytes = 0;
    bool textValue = false;
    std::size_t childrenStart = 0;
    std::size_t end = 0;
};

class Reader {
public:
    explicit Reader(const std::string& block) : block_(block) {}

    std::optional<std::uint16_t> Word(std::size_t at) const {
        if (at + 2 > block_.size()) return std::nullopt;
        return static_cast<std::uint16_t>(static_cast<unsigned char>(block_[at]) |
                                          (static_cast<unsigned char>(block_[at + 1]) << 8));
    }
    std::optional<std::uint32_t> Dword(std::size_t at) const {
        const auto low = Word(at);
        const auto high = Word(at + 2);
        if (!low || !high) return std::nullopt;
        return static_cast<std::uint32_t>(*low | (*high << 16));
    }
    // A NUL-terminated UTF-16 string from at, no further than limit.
    std::u16string String(std::size_t at, std::size_t limit, std::size_t* after = nullptr) const {
        std::u16string text;
        std::size_t i = at;
        for (; i + 2 <= limit; i += 2) {
            const auto c = Word(i);
            if (!c || *c == 0) {
                i += 2;
                break;
            }
            text += static_cast<char16_t>(*c);
        }
        if (after) *after = i;
        return text;
    }

    std::optional<Node> NodeAt(std::size_t at, std::size_t limit) const {
        const auto length = Word(at);
        const auto valueLength = Word(at + 2);
        const auto type = Word(at + 4);
        if (!length || !valueLength || !type || *length < 6 || at + *length > limit) return std::nullopt;
        Node node;
        node.end = at + *length;
        std::size_t afterKey = 0;
        node.key = String(at + 6, node.end, &afterKey);
        node.textValue = *type == 1;
        node.valueStart = Align(afterKey);
        node.valueBytes = node.textValue ? *valueLength * 2u : *valueLength;
        if (node.valueStart + node.valueBytes > node.end) node.valueBytes = 0;
        node.childrenStart = Align(node.valueStart + node.valueBytes);
        return node;
    }

    // Calls visit for each child of parent; false when one is malformed.
    bool ForEachChild(const Node& parent, const std::function<void(const Node&)>& visit) const {
        for (std::size_t at = parent.childrenStart; at + 6 <= parent.end;) {
            const auto child = NodeAt(at, parent.end);
            if (!child) return false;
            visit(*child);
            at = Align(child->end);
        }
        return true;
    }

    static std::size_t Align(std::size_t at) { return (at + 3) & ~static_cast<std::size_t>(3); }

private:
    const std::string& block_;
};

constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;

}  // namespace

std::u16string VersionText(const VersionInfo& version) {
    return u"Ver" + Decimal(version.major) + u"." + Decimal(version.minor) + Decimal(version.revision);
}

std::u16string AppTitle(const VersionInfo& version) { return u"ぐりーなー！ " + VersionText(version); }

std::optional<VersionInfo> ParseVersionResource(const std::string& block) {
    const Reader reader(block);
    const auto root = reader.NodeAt(0, block.size());
    if (!root || root->key != u"VS_VERSION_INFO" || root->valueBytes < 16) return std::nullopt;
    if (reader.Dword(root->valueStart) != kFixedInfoSignature) return std::nullopt;
    const auto fileVersionMs = reader.Dword(root->valueStart + 8);
    const auto fileVersionLs = reader.Dword(root->valueStart + 12);
    if (!fileVersionMs || !fileVersionLs) return std::nullopt;

    VersionInfo info;
    info.major = static_cast<std::uint16_t>(*fileVersionMs >> 16);
    info.minor = static_cast<std::uint16_t>(*fileVersionMs & 0xFFFF);
    info.revision = static_cast<std::uint16_t>(*fileVersionLs >> 16);

    bool tableRead = false;
    const bool wellFormed = reader.ForEachChild(*root, [&](const Node& section) {
        if (section.key != u"StringFileInfo") return;
        reader.ForEachChild(section, [&](const Node& table) {
            if (tableRead) return;
            tableRead = true;
            reader.ForEachChild(table, [&](const Node& entry) {
                const std::u16string value = reader.String(entry.valueStart, entry.valueStart + entry.valueBytes);
                if (entry.key == u"ProductName") info.productName = value;
                if (entry.key == u"CompanyName") info.companyName = value;
            });
        });
    });
    if (!wellFormed) return std::nullopt;
    return info;
}

}  // namespace gleaner
