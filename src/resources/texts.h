// The program's fixed texts, in one place. They are what the user reads
// and what Conf.txt and other programs may rely on: change none lightly.
#pragma once

namespace gleaner::texts {

inline constexpr char16_t kClipboardErrorTitle[] = u"クリップボードエラー";
inline constexpr char16_t kLimitTitle[] = u"現在取得文字数";
inline constexpr char16_t kLimitNowPrefix[] = u"現在、";
inline constexpr char16_t kLimitNowSuffix[] = u"文字です。";
inline constexpr char16_t kLimitMaxPrefix[] = u"取得徳可能文字数は、";
inline constexpr char16_t kLimitMaxSuffix[] = u"文字までです。";
inline constexpr char16_t kLimitReached[] = u"これ以上の採集はできません！";
inline constexpr char16_t kSeparatorNone[] = u"無し";
inline constexpr char16_t kSeparatorSpace[] = u"半角スペース";
inline constexpr char16_t kSeparatorWideSpace[] = u"全角スペース";
inline constexpr char16_t kSeparatorComma[] = u"カンマ";
inline constexpr char16_t kSeparatorSlash[] = u"スラッシュ";
inline constexpr char16_t kSeparatorTab[] = u"タブ";
inline constexpr char16_t kSeparatorNewLine[] = u"改行";
inline constexpr char16_t kDispPosPointer[] = u"ポインタ";
inline constexpr char16_t kDispPosTopLeft[] = u"左上隅";
inline constexpr char16_t kDispPosTopRight[] = u"右上隅";
inline constexpr char16_t kDispPosBottomRight[] = u"右下隅";
inline constexpr char16_t kTagInit[] = u"Init";

}  // namespace gleaner::texts
