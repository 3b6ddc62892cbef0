// The program's fixed texts, in one place. They are what the user reads
// and what Conf.txt and other programs may rely on: change none lightly.
// What the user reads comes in Japanese and English (Text); what is stored
// or read by other programs has one form.
#pragma once

#include "text/language.h"

namespace gleaner::texts {

inline constexpr Text kClipboardErrorTitle{u"クリップボードエラー", u"Clipboard error"};
inline constexpr Text kLimitTitle{u"現在取得文字数", u"Characters collected"};
// %1 the collection's length, %2 "limit max".
inline constexpr Text kLimitMessage{u"現在、%1文字です。\r\n取得徳可能文字数は、%2文字までです。",
                                    u"The collection holds %1 characters.\r\nIt can hold up to %2."};
inline constexpr Text kLimitReached{u"これ以上の採集はできません！", u"Nothing more will be collected."};
// Conf.txt's names for the separators and the balloon's positions: stored as
// they are whatever the language; the settings dialog shows them under the
// labels further down.
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

inline constexpr Text kProgramName{u"ぐりーなー！", u"Gleaner"};
// %1 the executable's name.
inline constexpr Text kAlreadyRunning{u"ぐりーなー！(%1) は既に起動中です！", u"Gleaner (%1) is already running."};
inline constexpr Text kAlreadyRunningTitle{u"起動中！", u"Already running"};
inline constexpr Text kGoingToTray{u"タスクトレイに収納します！", u"Gleaner goes on in the notification area."};
inline constexpr Text kEnding{u"終了します！", u"Exiting."};
// Every caption of a menu or a dialog carries its access key, the letter
// after "&", unique in its menu or dialog: Japanese as a suffix, "設定(&S)",
// as Japanese Windows programs write it.
inline constexpr Text kMenuSettings{u"設定(&S)", u"&Settings"};
inline constexpr Text kMenuClear{u"クリア(&C)", u"&Clear"};
inline constexpr Text kMenuHelp{u"ヘルプ(&H)", u"&Help"};
inline constexpr Text kMenuEnd{u"終了(&X)", u"E&xit"};
inline constexpr Text kMenuShowPopup{u"表示(&W)", u"Sho&w"};
inline constexpr Text kMenuTrayOut{u"トレイから出す(&M)", u"Show &main window"};
inline constexpr Text kMenuPause{u"一時停止(&P)", u"&Pause collecting"};
// After the title, in the caption and the icon's tip, while collecting is paused.
inline constexpr Text kPausedSuffix{u" (一時停止中)", u" (paused)"};
// Both menus (and Ctrl+Z in the window): the last emptying undone.
inline constexpr Text kMenuUndo{u"元に戻す(&U)", u"&Undo"};
// Once, at a start that found the collection a crash or the end of the
// Windows session left behind.
inline constexpr Text kRestored{u"前回の採集を復元しました", u"Restored the collection from last time"};
// Both menus, and the dialog it opens.
inline constexpr Text kMenuIgnoredPrograms{u"除外するプログラム(&I)...", u"&Ignored programs..."};
inline constexpr Text kIgnoredProgramsTitle{u"除外するプログラム", u"Ignored programs"};
inline constexpr Text kIgnoredProgramsLabel{
    u"ここに並べたプログラムでコピーしたものは読み取りません（中身も長さも）。"
    u"1行に1つ、ファイル名（KeePass.exe など）かフルパスで書きます。(&P)",
    u"Copies made in these &programs are never read, not even their length. "
    u"One a line: a file name (such as KeePass.exe) or a full path."};
inline constexpr Text kIgnoredProgramsOk{u"OK(&O)", u"&OK"};
inline constexpr Text kIgnoredProgramsNotSaved{
    u"除外するプログラムを gleaner.ini に保存できませんでした。\r\n今回の起動中だけ有効です。",
    u"The ignored programs could not be saved in gleaner.ini.\r\nThey hold until the program ends."};
inline constexpr Text kMenuVersion{u"バージョン(&V)", u"&Version"};
// The collection's length in its tooltip.
inline constexpr Text kLength{u"%1文字", u"%1 characters"};
// Each language is named in its own; the menu's caption in both, so that a
// user who cannot read the one shown still finds it.
inline constexpr Text kMenuLanguage{u"言語 (Language)(&L)", u"&Language (言語)"};
inline constexpr Text kMenuLanguageAutomatic{u"自動 (Windows の表示言語)(&A)", u"&Automatic (as Windows)"};
inline constexpr Text kMenuLanguageJapanese{u"日本語(&J)", u"日本語(&J)"};
inline constexpr Text kMenuLanguageEnglish{u"English(&E)", u"&English"};
inline constexpr Text kClearConfirmText{u"クリップボード／表示をクリアしますか？", u"Clear the clipboard and the collection?"};
inline constexpr Text kClearConfirmTitle{u"クリア確認", u"Confirm clear"};
inline constexpr Text kPopupTitle{u"文字数カウントポップアップ", u"Character count balloon"};
inline constexpr char16_t kPopupClear[] = u"C";
inline constexpr Text kPopupClearTip{u"クリア（クリップボード含）", u"Clear (the clipboard too)"};
inline constexpr char16_t kCloseCaption[] = u"×";
inline constexpr Text kPopupCloseTip{u"バルーンを閉じます", u"Close the balloon"};
inline constexpr char16_t kPasteHotkeyAtom[] = u"GLEANER_CTRLV";
inline constexpr char16_t kPopupHotkeyAtom[] = u"GLEANER_POPUP";

// frmSetting: captions, lists and tool tips.
inline constexpr Text kSettingsTaskTray{u"タスクトレイ収納(&T)", u"No&tification area"};
inline constexpr Text kSettingsTaskTrayTip{u"開始時にタスクトレイに収納します", u"Start in the notification area"};
inline constexpr Text kSettingsCopyFrame{u"コピー", u"Copy"};
inline constexpr Text kSettingsSeparatorLabel{u"区切り文字（任意文字の入力可）(&S)", u"&Separator (or type your own)"};
inline constexpr Text kSettingsNewLineHint{u"（改行：\\n）", u"(line break: \\n)"};
inline constexpr Text kSettingsSeparatorTip{u"コピー文字列間の区切り（任意文字入力可）", u"What goes between two copies (any text)"};
inline constexpr Text kSettingsPasteFrame{u"貼り付け", u"Paste"};
inline constexpr Text kSettingsCtrlVInit{u"貼り付け時に初期化(&E)", u"&Empty after pasting"};
inline constexpr Text kSettingsCtrlVInitTip{u"Ctrl+Vで貼り付け後に、クリップボード/テキストボックスを初期化", u"After Ctrl+V pastes, empty the clipboard and the collection"};
inline constexpr Text kSettingsNoConfirm{u"確認MSG非表示(&A)", u"Do not &ask"};
inline constexpr Text kSettingsNoConfirmTip{u"既知の確認メッセーjを表示しない", u"Empty them without asking first"};
inline constexpr Text kSettingsHotKeyFrame{u"ホットキー", u"Hotkeys"};
inline constexpr Text kSettingsPopupKeyLabel{u"ポップアップ(&B)", u"&Balloon"};
inline constexpr char16_t kSettingsPopupKeyPrefix[] = u"Ctrl+Shift+";
inline constexpr Text kSettingsPasteKeyLabel{u"貼り付け(&P)", u"&Paste"};
inline constexpr char16_t kSettingsPasteKeyPrefix[] = u"Ctrl+";
inline constexpr Text kSettingsHotKeyTip{u"貼り付け用のキー", u"The key that goes with Ctrl"};
inline constexpr Text kSettingsPopupFrame{u"ポップアップウィンドウ", u"Balloon"};
inline constexpr Text kSettingsAutoCloseLabel{u"自動消去時間(&F)", u"Closes a&fter"};
inline constexpr Text kSettingsAutoCloseTip{u"自動消去時間（秒）", u"Seconds until the balloon closes"};
inline constexpr Text kSettingsDispPosLabel{u"表示位置(&O)", u"P&osition"};
inline constexpr Text kSettingsDispPosTip{u"表示位置", u"Where the balloon appears"};
inline constexpr Text kSettingsResume{u"再開(&R)", u"&Resume"};
inline constexpr Text kSettingsEnd{u"終了(&X)", u"E&xit"};
inline constexpr Text kSettingsClose{u"閉じる(&C)", u"&Close"};
inline constexpr Text kSettingsCancel{u"キャンセル(&N)", u"Ca&ncel"};
inline constexpr Text kSettingsSearchFrame{u"指定文字検索", u"Count a text"};
inline constexpr Text kSettingsSearchLabel{u"文字列", u"Text"};
inline constexpr Text kSettingsSearchTip{u"カウントしたい文字列を入力", u"The text to count"};
inline constexpr Text kSettingsFuzzy{u"あいまい検索", u"Loose match"};
inline constexpr Text kSettingsFuzzyTip{u"曖昧検索：大小文字/全半角の区別無し", u"Ignore case and full or half width"};
inline constexpr Text kSettingsCustomFrame{u"表示項目のカスタマイズ", u"Counts shown"};
inline constexpr Text kSettingsCustomTip{u"カウントする項目", u"What to count"};
inline constexpr Text kSettingsDispMsg{u"開始終了MSG", u"Start and exit notices"};
inline constexpr Text kSettingsDispMsgTip{u"オフ：MSGを表示しません", u"Off: no notices"};

inline constexpr Text kSeparatorLabels[] = {
    {kSeparatorNone, u"None"},           {kSeparatorSpace, u"Space"}, {kSeparatorWideSpace, u"Ideographic space"},
    {kSeparatorComma, u"Comma"},         {kSeparatorSlash, u"Slash"}, {kSeparatorTab, u"Tab"},
    {kSeparatorNewLine, u"Line break"}};
inline constexpr const char16_t* kAutoCloseTimes[] = {u" 0", u" 1", u" 2", u" 3", u" 4", u" 5", u" 6",
                                                      u" 7", u" 8", u" 9", u"10", u"15", u"20", u"30"};
inline constexpr Text kDispPosLabels[] = {{kDispPosPointer, u"At the pointer"},
                                          {kDispPosTopLeft, u"Top left"},
                                          {kDispPosTopRight, u"Top right"},
                                          {kDispPosBottomRight, u"Bottom right"}};
// The count items of "custom item", in the order of its seven flags.
inline constexpr Text kCustomItems[] = {{u"字数", u"Characters"}, {u"改行", u"Line breaks"}, {u"Byte数", u"Bytes"},
                                        {u"全角", u"Full width"}, {u"半角", u"Half width"},    {u"スペース", u"Spaces"},
                                        {u"タブ", u"Tabs"}};

// Hotkeys another program holds: %1 their names ("Ctrl+Q"), joined.
inline constexpr Text kHotKeyTakenTitle{u"ホットキーエラー", u"Hotkey error"};
inline constexpr Text kHotKeyTaken{
    u"%1 は他のプログラムが使用中のため登録できませんでした。「設定」で別のキーを選んでください。",
    u"%1 could not be registered: another program uses it. Choose another key in Settings."};
inline constexpr Text kHotKeyListJoin{u"、", u", "};

// The user guide the release puts beside the executable; ヘルプ opens the one
// in the user's language.
inline constexpr Text kGuideFileName{u"gleaner-guide.html", u"gleaner-guide-en.html"};

// The introduction shown in grey until the first capture.
inline constexpr Text kIntroduction{
    u"コピー操作を行うと､順次､この窓に追加されます｡\r\n\r\nコピーはマウスでも Ctrl+C でも可\r\n貼り付けは Ctrl+V を推奨",
    u"Each text you copy is added to this window.\r\n\r\nCopy with the mouse or Ctrl+C.\r\nPaste them all with Ctrl+V."};

// The help window's name, which it does not show: a screen reader says it.
inline constexpr Text kHelpTitle{u"凡例", u"Legend"};
// The legend of the count abbreviations in the help window: eleven lines,
// an ideographic space before each colon.
inline constexpr Text kHelpText{
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
    u"(nn)は改行/スペース/タブを除いた文字数",
    u"Chars:all characters\r\n"
    u"Lines:line breaks (CR LF)\r\n"
    u"Bytes:bytes in Shift-JIS\r\n"
    u"Full :full-width characters\r\n"
    u"Half :half-width characters\r\n"
    u"F.SP :full-width spaces\r\n"
    u"H.SP :half-width spaces\r\n"
    u"Tab  :tabs\r\n"
    u"xxxx :matches of the text to count\r\n"
    u"\r\n"
    u"(nn): without line breaks, spaces, tabs"};

}  // namespace gleaner::texts
