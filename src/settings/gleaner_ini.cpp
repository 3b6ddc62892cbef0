#include "settings/gleaner_ini.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/codepage.h"

namespace gleaner {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kLanguageKey = "language";
constexpr std::string_view kIgnoreKey = "ignore program";
constexpr std::string_view kKeepKey = "keep collection";
constexpr std::string_view kKeepOff[] = {"no", "off", "0", "false"};
// The first lines of a file the program makes, for the person who opens it.
constexpr std::string_view kHeader =
    "; gleaner: settings beyond Conf.txt. language = auto, ja or en\r\n"
    "; ignore program = a program whose copies are never read (KeePass.exe or a full path), one a line\r\n";
// Longer than any path Windows can start a program from: not a program name.
constexpr std::size_t kLongestProgramName = 32767;

constexpr std::pair<std::string_view, LanguageChoice> kLanguageValues[] = {
    {"auto", LanguageChoice::Automatic}, {"ja", LanguageChoice::Japanese}, {"en", LanguageChoice::English}};

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return lower;
}

// A line's key, lower-cased, and its value as written; nullopt for a line
// without "=". A comment's key keeps its ";" or "#" and so names no setting.
std::optional<std::pair<std::string, std::string_view>> Entry(std::string_view line) {
    line = Trim(line);
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return std::pair{Lower(Trim(line.substr(0, equals))), Trim(line.substr(equals + 1))};
}

// A value that can name a program: something, and nothing a file name
// cannot hold (control characters, bytes that are not UTF-8).
std::optional<std::u16string> ProgramName(std::string_view value) {
    const std::string bytes(value);
    if (bytes.empty() || bytes.size() > kLongestProgramName || !IsUtf8(bytes)) return std::nullopt;
    if (std::ranges::any_of(bytes, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
        return std::nullopt;
    }
    return DecodeUtf8(bytes);
}

// The file's lines without their line feeds, a leading byte order mark gone.
std::vector<std::string_view> Lines(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        lines.push_back(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return lines;
}

std::string LanguageLine(LanguageChoice choice) {
    const auto value = std::ranges::find(kLanguageValues, choice, &std::pair<std::string_view, LanguageChoice>::second);
    return std::string(kLanguageKey) + " = " + std::string(value->first) + "\r\n";
}

std::string KeepLine(bool keep) { return std::string(kKeepKey) + (keep ? " = yes\r\n" : " = no\r\n"); }

std::string IgnoreLines(const std::vector<std::u16string>& programs) {
    std::string lines;
    for (const std::u16string& program : programs) lines += std::string(kIgnoreKey) + " = " + EncodeUtf8(program) + "\r\n";
    return lines;
}

}  // namespace

std::u16string IniPath(const std::u16string& folder) { return PathIn(folder, u"gleaner.ini"); }

IniSettings ParseIni(const std::string& bytes) {
    IniSettings settings;
    for (const auto line : Lines(bytes)) {
        const auto entry = Entry(line);
        if (!entry) continue;
        const auto& [key, written] = *entry;
        if (key == kIgnoreKey) {
            if (auto program = ProgramName(written)) settings.ignoredPrograms.push_back(std::move(*program));
        } else if (key == kKeepKey) {
            settings.keepCollection = std::ranges::find(kKeepOff, Lower(written)) == std::end(kKeepOff);
        }
        if (key != kLanguageKey) continue;
        const auto value = std::ranges::find(kLanguageValues, Lower(written),
                                             &std::pair<std::string_view, LanguageChoice>::first);
        settings.language = value == std::end(kLanguageValues) ? LanguageChoice::Automatic : value->second;
    }
    return settings;
}

std::string UpdateIni(const std::string& bytes, const IniSettings& settings) {
    std::string text = bytes.empty() ? std::string(kHeader) : "";
    // The language where its line was; the list where its first line was,
    // whole (the lines after it are the list's too, and go).
    bool languageWritten = false;
    bool listWritten = false;
    // Keeping's line only once somebody turned it off: the default needs none.
    bool keepWritten = settings.keepCollection;
    for (auto line : Lines(bytes)) {
        const auto entry = Entry(line);
        const std::string key = entry ? entry->first : "";
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (key == kLanguageKey) {
            text += LanguageLine(settings.language);
            languageWritten = true;
        } else if (key == kKeepKey) {
            text += KeepLine(settings.keepCollection);
            keepWritten = true;
        } else if (key == kIgnoreKey) {
            if (!std::exchange(listWritten, true)) text += IgnoreLines(settings.ignoredPrograms);
        } else {
            text += std::string(line) + "\r\n";
        }
    }
    if (!languageWritten) text += LanguageLine(settings.language);
    if (!listWritten) text += IgnoreLines(settings.ignoredPrograms);
    if (!keepWritten) text += KeepLine(settings.keepCollection);
    return text;
}

IniSettings LoadIni(FileStore& files, const std::u16string& folder) {
    const std::u16string path = IniPath(folder);
    if (!files.Exists(path)) return {};
    const auto bytes = files.Read(path);
    return bytes ? ParseIni(*bytes) : IniSettings{};
}

bool SaveIni(FileStore& files, const std::u16string& folder, const IniSettings& settings) {
    const std::u16string path = IniPath(folder);
    std::string old;
    if (files.Exists(path)) {
        const auto bytes = files.Read(path);
        if (!bytes) return false;  // rewriting what could not be read would lose the user's lines
        old = *bytes;
    }
    return files.ReplaceAtomically(path, UpdateIni(old, settings));
}

}  // namespace gleaner
