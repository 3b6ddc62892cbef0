#include "settings/conf_file.h"

#include <algorithm>
#include <array>
#include <variant>
#include <vector>

#include "platform/codepage.h"
#include "text/number_format.h"
#include "text/text_statistics.h"
#include "text/parse_number.h"

namespace gleaner {
namespace {

using NumberField = std::int32_t SettingsRecord::*;
using TextField = std::u16string SettingsRecord::*;

enum class Reading {
    Text,          // stored verbatim
    LeadingNumber, // the number the value starts with, 0 if none
    WholeNumber,   // the value as one number; anything else reads as 1
};

struct Entry {
    const char16_t* key;
    std::variant<NumberField, TextField> field;
    Reading reading;
};

// The file's fixed order.
const std::array<Entry, 19> kEntries{{
    {u"form left", &SettingsRecord::formLeft, Reading::LeadingNumber},
    {u"form top", &SettingsRecord::formTop, Reading::LeadingNumber},
    {u"form width", &SettingsRecord::formWidth, Reading::LeadingNumber},
    {u"form height", &SettingsRecord::formHeight, Reading::LeadingNumber},
    {u"task tray", &SettingsRecord::taskTray, Reading::LeadingNumber},
    {u"time auto close", &SettingsRecord::timeAutoClose, Reading::LeadingNumber},
    {u"disp pos", &SettingsRecord::dispPos, Reading::Text},
    {u"search string", &SettingsRecord::searchString, Reading::Text},
    {u"search fuzzy", &SettingsRecord::searchFuzzy, Reading::LeadingNumber},
    {u"custom item", &SettingsRecord::customItem, Reading::Text},
    {u"custom msg", &SettingsRecord::customMsg, Reading::WholeNumber},
    {u"separator", &SettingsRecord::separator, Reading::Text},
    {u"ctrlv init", &SettingsRecord::ctrlvInit, Reading::LeadingNumber},
    {u"erase delay", &SettingsRecord::eraseDelay, Reading::LeadingNumber},
    {u"no confirm", &SettingsRecord::noConfirm, Reading::LeadingNumber},
    {u"paste key", &SettingsRecord::pasteKey, Reading::Text},
    {u"popup key", &SettingsRecord::popupKey, Reading::Text},
    {u"limit max", &SettingsRecord::limitMax, Reading::LeadingNumber},
    {u"limit unit", &SettingsRecord::limitUnit, Reading::LeadingNumber},
}};

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

// Lines end at CR LF, at a lone CR or at a lone LF.
std::vector<std::u16string> SplitLines(const std::u16string& text) {
    std::vector<std::u16string> lines;
    std::u16string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

std::u16string TrimBlanks(std::u16string s, bool start, bool end) {
    std::size_t first = 0;
    std::size_t last = s.size();
    if (start)
        while (first < last && s[first] == u' ') ++first;
    if (end)
        while (last > first && s[last - 1] == u' ') --last;
    return s.substr(first, last - first);
}

// Bytes without a mark that are read as UTF-8 rather than code page 932.
bool ReadsAsUtf8(const std::string& bytes) {
    return IsUtf8(bytes) && std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
}

void Store(SettingsRecord& settings, const Entry& entry, const std::u16string& value) {
    if (entry.reading == Reading::Text) {
        // A NUL from a damaged file would cut every text box's copy short.
        std::u16string text = value;
        std::erase(text, u'\0');
        // Blanks that stood behind a NUL lead the value now; they go as any
        // leading blank does, or the file would not read back the same.
        settings.*std::get<TextField>(entry.field) = TrimBlanks(text, true, false);
        return;
    }
    std::optional<std::int32_t> number;
    if (entry.reading == Reading::LeadingNumber) {
        number = RoundToInt32(ParseLeadingNumber(value));
    } else if (auto whole = ParseWholeNumber(value)) {
        number = RoundToInt32(*whole);
    } else {
        number = 1;  // a word here must not silence the notices by accident
    }
    // Out of range: the line is as good as absent.
    if (number) settings.*std::get<NumberField>(entry.field) = *number;
}

}  // namespace

std::u16string PathIn(const std::u16string& folder, const std::u16string& name) {
    if (!folder.empty() && folder.back() == u'\\') return folder + name;
    return folder + u"\\" + name;
}

std::u16string ConfPath(const std::u16string& folder) { return PathIn(folder, u"Conf.txt"); }

std::u16string FormatConf(const SettingsRecord& settings, const TwipsRect& window) {
    SettingsRecord live = settings;
    live.formLeft = window.left;
    live.formTop = window.top;
    live.formWidth = window.width;
    live.formHeight = window.height;
    std::u16string text;
    for (const Entry& entry : kEntries) {
        text += entry.key;
        text += u" = ";
        if (entry.reading == Reading::Text)
            text += live.*std::get<TextField>(entry.field);
        else
            text += Decimal(live.*std::get<NumberField>(entry.field));
        text += u"\r\n";
    }
    return text;
}

void ApplyConf(SettingsRecord& settings, const std::u16string& text) {
    for (const std::u16string& line : SplitLines(text)) {
        const std::size_t equals = line.find(u'=');
        if (equals == std::u16string::npos || line.find(u'=', equals + 1) != std::u16string::npos) continue;
        const std::u16string key = FoldAscii(TrimBlanks(line.substr(0, equals), true, true));
        const std::u16string value = TrimBlanks(line.substr(equals + 1), true, false);
        for (const Entry& entry : kEntries) {
            if (key == entry.key) {
                Store(settings, entry, value);
                break;
            }
        }
    }
}

std::string EncodeConf(const std::u16string& text) {
    // Code page 932 that happens to be valid UTF-8 (half-width katakana pairs
    // such as "ﾃｽ") would read back as other characters: it gets the mark too.
    if (auto bytes = EncodeCodePage932(text); bytes && !ReadsAsUtf8(*bytes)) return *bytes;
    return kUtf8Mark + EncodeUtf8(text);
}

std::u16string DecodeConf(const std::string& bytes) {
    if (bytes.starts_with(kUtf8Mark)) return DecodeUtf8(bytes.substr(3));
    // Many editors save UTF-8 without a mark. Japanese text in code page 932
    // is practically never valid UTF-8, so a file that is, and is not plain
    // ASCII, was written so.
    if (ReadsAsUtf8(bytes)) return DecodeUtf8(bytes);
    return DecodeCodePage932(bytes);
}

void LoadConf(SettingsRecord& settings, FileStore& files, const std::u16string& folder, WindowFrame& window) {
    const std::u16string path = ConfPath(folder);
    if (files.Exists(path)) {
        if (auto bytes = files.Read(path)) ApplyConf(settings, DecodeConf(*bytes));
    }
    window.SetBounds({settings.formLeft, settings.formTop, settings.formWidth, settings.formHeight});
}

bool SaveConf(const SettingsRecord& settings, FileStore& files, const std::u16string& folder,
              const WindowFrame& window) {
    return files.ReplaceAtomically(ConfPath(folder), EncodeConf(FormatConf(settings, window.Bounds())));
}

}  // namespace gleaner
