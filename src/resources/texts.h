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

inline constexpr char16_t kProgramName[] = u"ぐりーなー！";
inline constexpr char16_t kAlreadyRunningSuffix[] = u") は既に起動中です！";
inline constexpr char16_t kAlreadyRunningTitle[] = u"起動中！";
inline constexpr char16_t kGoingToTray[] = u"タスクトレイに収納します！";
inline constexpr char16_t kEnding[] = u"終了します！";
inline constexpr char16_t kMenuSettings[] = u"設定";
inline constexpr char16_t kMenuClear[] = u"クリア";
inline constexpr char16_t kMenuHelp[] = u"ヘルプ";
inline constexpr char16_t kMenuHelpLegend[] = u"？";
inline constexpr char16_t kMenuEnd[] = u"終了";
inline constexpr char16_t kMenuPopup[] = u"ポップアップメニュー";
inline constexpr char16_t kMenuShowPopup[] = u"表示";
inline constexpr char16_t kMenuTrayOut[] = u"トレイから出す";
inline constexpr char16_t kMenuVersion[] = u"バージョン";
inline constexpr char16_t kLengthSuffix[] = u"文字";
inline constexpr char16_t kClearConfirmText[] = u"クリップボード／表示をクリアしますか？";
inline constexpr char16_t kClearConfirmTitle[] = u"クリア確認";
inline constexpr char16_t kPopupTitle[] = u"文字数カウントポップアップ";
inline constexpr char16_t kPopupClear[] = u"C";
inline constexpr char16_t kPopupClearTip[] = u"クリア（クリップボード含）";
inline constexpr char16_t kCloseCaption[] = u"×";
inline constexpr char16_t kPopupCloseTip[] = u"バルーンを閉じます";
inline constexpr char16_t kPasteHotkeyAtom[] = u"GLEANER_CTRLV";
inline constexpr char16_t kPopupHotkeyAtom[] = u"GLEANER_POPUP";

// frmSetting: captions, lists and tool tips.
inline constexpr char16_t kSettingsTaskTray[] = u"タスクトレイ収納";
inline constexpr char16_t kSettingsTaskTrayTip[] = u"開始時にタスクトレイに収納します";
inline constexpr char16_t kSettingsCopyFrame[] = u"コピー";
inline constexpr char16_t kSettingsSeparatorLabel[] = u"区切り文字（任意文字の入力可）";
inline constexpr char16_t kSettingsNewLineHint[] = u"（改行：\\n）";
inline constexpr char16_t kSettingsSeparatorTip[] = u"コピー文字列間の区切り（任意文字入力可）";
inline constexpr char16_t kSettingsPasteFrame[] = u"貼り付け";
inline constexpr char16_t kSettingsCtrlVInit[] = u"貼り付け時に初期化";
inline constexpr char16_t kSettingsCtrlVInitTip[] = u"Ctrl+Vで貼り付け後に、クリップボード/テキストボックスを初期化";
inline constexpr char16_t kSettingsNoConfirm[] = u"確認MSG非表示";
inline constexpr char16_t kSettingsNoConfirmTip[] = u"既知の確認メッセーjを表示しない";
inline constexpr char16_t kSettingsHotKeyFrame[] = u"ホットキー";
inline constexpr char16_t kSettingsPopupKeyLabel[] = u"ポップアップ";
inline constexpr char16_t kSettingsPopupKeyPrefix[] = u"Ctrl+Shift+";
inline constexpr char16_t kSettingsPasteKeyLabel[] = u"貼り付け";
inline constexpr char16_t kSettingsPasteKeyPrefix[] = u"Ctrl+";
inline constexpr char16_t kSettingsHotKeyTip[] = u"貼り付け用のキー";
inline constexpr char16_t kSettingsPopupFrame[] = u"ポップアップウィンドウ";
inline constexpr char16_t kSettingsAutoCloseLabel[] = u"自動消去時間";
inline constexpr char16_t kSettingsAutoCloseTip[] = u"自動消去時間（秒）";
inline constexpr char16_t kSettingsDispPosLabel[] = u"表示位置";
inline constexpr char16_t kSettingsDispPosTip[] = u"表示位置";
inline constexpr char16_t kSettingsResume[] = u"再開";
inline constexpr char16_t kSettingsEnd[] = u"終了";
inline constexpr char16_t kSettingsClose[] = u"閉じる";
inline constexpr char16_t kSettingsCancel[] = u"キャンセル";
inline constexpr char16_t kSettingsSearchFrame[] = u"指定文字検索";
inline constexpr char16_t kSettingsSearchLabel[] = u"文字列";
inline constexpr char16_t kSettingsSearchTip[] = u"カウントしたい文字列を入力";
inline constexpr char16_t kSettingsFuzzy[] = u"あいまい検索";
inline constexpr char16_t kSettingsFuzzyTip[] = u"曖昧検索：大小文字/全半角の区別無し";
inline constexpr char16_t kSettingsCustomFrame[] = u"表示項目のカスタマイズ";
inline constexpr char16_t kSettingsCustomTip[] = u"カウントする項目";
inline constexpr char16_t kSettingsDispMsg[] = u"開始終了MSG";
inline constexpr char16_t kSettingsDispMsgTip[] = u"オフ：MSGを表示しません";

inline constexpr const char16_t* kSeparatorNames[] = {kSeparatorNone,  kSeparatorSpace, kSeparatorWideSpace,
                                                      kSeparatorComma, kSeparatorSlash, kSeparatorTab,
                                                      kSeparatorNewLine};
inline constexpr const char16_t* kAutoCloseTimes[] = {u" 0", u" 1", u" 2", u" 3", u" 4", u" 5", u" 6",
                                                      u" 7", u" 8", u" 9", u"10", u"15", u"20", u"30"};
inline constexpr const char16_t* kDispPosNames[] = {kDispPosPointer, kDispPosTopLeft, kDispPosTopRight,
                                                    kDispPosBottomRight};
// The count items of "custom item", in the order of its seven flags.
inline constexpr const char16_t* kCustomItems[] = {u"字数", u"改行", u"Byte数", u"全角", u"半角", u"スペース", u"タブ"};

// A hotkey another program holds: "Ctrl+Q" and the rest of the sentence.
inline constexpr char16_t kHotKeyTakenTitle[] = u"ホットキーエラー";
inline constexpr char16_t kHotKeyTakenSuffix[] = u" は他のプログラムが使用中のため登録できませんでした。「設定」で別のキーを選んでください。";
inline constexpr char16_t kHotKeyListJoin[] = u"、";

// The user guide the release puts beside the executable; ヘルプ opens it.
inline constexpr char16_t kGuideFileName[] = u"gleaner-guide.html";

// The introduction shown in grey until the first capture.
inline constexpr char16_t kIntroduction[] =
    u"コピー操作を行うと､順次､この窓に追加されます｡\r\n\r\nコピーはマウスでも Ctrl+C でも可\r\n貼り付けは Ctrl+V を推奨";

// The legend of the count abbreviations in the help window: eleven lines,
// an ideographic space before each colon.
inline constexpr char16_t kHelpText[] =
    u"字数　:総文字数\r\n"
    u"改行　:改行コード=CrLf\r\n"
    u"byte　:Shift-JISコードでのバイト数\r\n"
    u"全角　:全角文字\r\n"
    u"半角　:半角文字\r\n"
    u"全SP　:全角スペース\r\n"
    u"半SP　:半角スペース\r\n"
    u"タブ　:Tab\r\n"
    u"xxxx　:指定文字列の個数\r\n"
    u"\r\n"
    u"(nn)は改行/スペース/タブを除いた文字数";

}  // namespace gleaner::texts
