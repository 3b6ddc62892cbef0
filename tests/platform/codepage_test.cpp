#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace gleaner {
namespace {

TEST(CodePage932, EncodesJapaneseAsShiftJisBytes) {
    EXPECT_EQ(EncodeCodePage932(u"右下隅"), std::string("\x89\x45\x89\xba\x8b\xf7"));
    EXPECT_EQ(EncodeCodePage932(u"改行"), std::string("\x89\xfc\x8d\x73"));
    EXPECT_EQ(EncodeCodePage932(u"ﾊﾝｶｸ"), std::string("\xca\xdd\xb6\xb8"));  // half-width kana are one byte
    EXPECT_EQ(EncodeCodePage932(u"key = 5\r\n"), std::string("key = 5\r\n"));
    EXPECT_EQ(EncodeCodePage932(u""), std::string());
}

TEST(CodePage932, RefusesCharactersItCannotHoldRatherThanWritingQuestionMarks) {
    EXPECT_EQ(EncodeCodePage932(u"😀"), std::nullopt);
    EXPECT_EQ(EncodeCodePage932(u"한국어"), std::nullopt);
    EXPECT_EQ(EncodeCodePage932(u"abc é"), std::nullopt);
}

TEST(CodePage932, DecodesWhatItEncodes) {
    const std::u16string text = u"ポインタ 左上隅 ＭＳ ゴシック ｶﾅ 123";
    const auto bytes = EncodeCodePage932(text);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(DecodeCodePage932(*bytes), text);
}

TEST(Utf8, RoundTripsEveryPlane) {
    const std::u16string text = u"a é 改 😀 한";
    EXPECT_EQ(EncodeUtf8(text), std::string("a \xC3\xA9 \xE6\x94\xB9 \xF0\x9F\x98\x80 \xED\x95\x9C"));
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(text)), text);
}

TEST(Utf8, ReplacesBrokenInputInsteadOfFailing) {
    EXPECT_EQ(EncodeUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
    EXPECT_EQ(DecodeUtf8("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(DecodeUtf8("\xE6\x94"), u"\uFFFD\uFFFD");
    EXPECT_EQ(DecodeUtf8("\xC0\x80"), u"\uFFFD");  // overlong
}

}  // namespace
}  // namespace gleaner
