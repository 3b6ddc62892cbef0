#include "conf_text.h"

#include <windows.h>

namespace gleaner::e2e {
namespace {

constexpr UINT kShiftJis = 932;

std::optional<std::wstring> FromShiftJis(const std::string& bytes) {
    if (bytes.empty()) return std::wstring();
    const int length = MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring text(length, L'\0');
    MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        length);
    return text;
}

}  // namespace

std::optional<ConfText> ParseConfText(const std::string& bytes, std::string* why) {
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        *why = "the file starts with a UTF-8 byte-order mark";
        return std::nullopt;
    }
    if (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0) {
        *why = "the last line does not end in CR LF";
        return std::nullopt;
    }
    ConfText conf;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        const std::string line = bytes.substr(start, end - start);
        if (line.find_first_of("\r\n") != std::string::npos) {
            *why = "line " + std::to_string(conf.lines.size() + 1) + " holds a lone CR or LF";
            return std::nullopt;
        }
        const auto text = FromShiftJis(line);
        if (!text) {
            *why = "line " + std::to_string(conf.lines.size() + 1) + " is not valid code page 932";
            return std::nullopt;
        }
        conf.lines.push_back(*text);
        const std::size_t equals = text->find(L" = ");
        if (equals != std::wstring::npos) conf.values[text->substr(0, equals)] = text->substr(equals + 3);
        start = end + 2;
    }
    return conf;
}

}  // namespace gleaner::e2e
