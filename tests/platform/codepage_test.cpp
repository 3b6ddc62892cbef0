#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace gleaner {
namespace {

TEST(CodePage932, EncodesJapaneseAsShiftJisAndRefusesWhatItCannotHoldRatherThanWritingQuestionMarks) {
    EXPECT_EQ(EncodeCodePage932(u"右下隅"), std::string("\x89\x45\x89\xba\x8b\xf7"));
    EXPECT_EQ(EncodeCodePage932(u"ﾊﾝｶｸ"), std::string("\xca\xdd\xb6\xb8"));  // half-width kana are one byte
    const std::u16string text = u"ポインタ 左上隅 ＭＳ ゴシック ｶﾅ 123\r\n";
    EXPECT_EQ(DecodeCodePage932(EncodeCodePage932(text).value_or("")), text);
    for (const char16_t* foreign : {u"😀", u"한국어", u"abc é"}) EXPECT_EQ(EncodeCodePage932(foreign), std::nullopt);
}

TEST(Utf8, RoundTripsEveryPlaneAndReplacesBrokenInputInsteadOfFailing) {
    const std::u16string text = u"a é 改 😀 한";
    EXPECT_EQ(EncodeUtf8(text), std::string("a \xC3\xA9 \xE6\x94\xB9 \xF0\x9F\x98\x80 \xED\x95\x9C"));
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(text)), text);
    EXPECT_EQ(EncodeUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
    EXPECT_EQ(DecodeUtf8("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(DecodeUtf8("\xC0\x80"), u"\uFFFD");  // overlong
    EXPECT_FALSE(IsUtf8("\xE6\x94"));
}

}  // namespace
}  // namespace gleaner
