#include "shell/version.h"

#include <gtest/gtest.h>

namespace gleaner {
namespace {

TEST(VersionText, JoinsMinorAndRevisionWithoutASeparator) {
    EXPECT_EQ(VersionText({0, 7, 6, u"", u""}), u"Ver0.76");
    EXPECT_EQ(VersionText({1, 2, 10, u"", u""}), u"Ver1.210");
    EXPECT_EQ(AppTitle({0, 7, 6, u"", u""}), u"ぐりーなー！ Ver0.76");
}

// Builds a version resource node as resource compilers lay it out.
class NodeBuilder {
public:
    static std::string Node(const std::u16string& key, const std::string& value, std::uint16_t valueLength,
                            bool text, const std::string& children) {
        std::string node(6, '\0');
        for (char16_t c : key + u'\0') node += Utf16(c);
        Pad(node);
        node += value;
        Pad(node);
        node += children;
        PutWord(node, 0, static_cast<std::uint16_t>(node.size()));
        PutWord(node, 2, valueLength);
        PutWord(node, 4, text ? 1 : 0);
        return node;
    }
    static std::string String(const std::u16string& key, const std::u16string& value) {
        std::string bytes;
        for (char16_t c : value + u'\0') bytes += Utf16(c);
        return Node(key, bytes, static_cast<std::uint16_t>(value.size() + 1), true, "");
    }
    static std::string Dword(std::uint32_t v) {
        return Utf16(static_cast<char16_t>(v & 0xFFFF)) + Utf16(static_cast<char16_t>(v >> 16));
    }

private:
    static std::string Utf16(char16_t c) { return {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)}; }
    static void Pad(std::string& s) {
        while (s.size() % 4) s += '\0';
    }
    static void PutWord(std::string& s, std::size_t at, std::uint16_t v) {
        s[at] = static_cast<char>(v & 0xFF);
        s[at + 1] = static_cast<char>(v >> 8);
    }
};

std::string VersionBlock(std::uint32_t signature = 0xFEEF04BD) {
    std::string fixed = NodeBuilder::Dword(signature) + NodeBuilder::Dword(0x10000) +
                        NodeBuilder::Dword((0u << 16) | 7) + NodeBuilder::Dword((6u << 16) | 0);
    fixed += std::string(52 - fixed.size(), '\0');
    std::string strings = NodeBuilder::String(u"CompanyName", u"Gleaner Works") +
                          NodeBuilder::String(u"FileDescription", u"clipboard collector") +
                          NodeBuilder::String(u"ProductName", u"ぐりーなー！");
    const std::string table = NodeBuilder::Node(u"041104b0", "", 0, true, strings);
    const std::string stringInfo = NodeBuilder::Node(u"StringFileInfo", "", 0, true, table);
    const std::string varInfo = NodeBuilder::Node(
        u"VarFileInfo", "", 0, true, NodeBuilder::Node(u"Translation", NodeBuilder::Dword(0x04B00411), 4, false, ""));
    return NodeBuilder::Node(u"VS_VERSION_INFO", fixed, 52, false, varInfo + stringInfo);
}

TEST(ParseVersionResource, ReadsTheNumbersAndNames) {
    const auto info = ParseVersionResource(VersionBlock());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->major, 0);
    EXPECT_EQ(info->minor, 7);
    EXPECT_EQ(info->revision, 6);
    EXPECT_EQ(info->companyName, u"Gleaner Works");
    EXPECT_EQ(info->productName, u"ぐりーなー！");
}

TEST(ParseVersionResource, RefusesDamagedBlocksWithoutReadingPastThem) {
    EXPECT_FALSE(ParseVersionResource(""));
    EXPECT_FALSE(ParseVersionResource(VersionBlock(0x12345678)));
    const std::string block = VersionBlock();
    for (std::size_t cut : {4u, 40u, 100u, static_cast<unsigned>(block.size() - 2)}) {
        std::string damaged = block.substr(0, cut);
        EXPECT_FALSE(ParseVersionResource(damaged)) << cut;
    }
    std::string lying = block;
    lying[0] = static_cast<char>(0xFF);
    lying[1] = static_cast<char>(0x7F);  // a length far past the end
    EXPECT_FALSE(ParseVersionResource(lying));
}

}  // namespace
}  // namespace gleaner
