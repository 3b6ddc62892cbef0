// Host build: code page 932 through glibc's iconv, so the settings store's
// bytes on disk can be checked without Windows.
#include <iconv.h>

#include <cerrno>
#include <vector>

#include "platform/codepage.h"

namespace gleaner {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Whole-input conversion; nullopt when some input cannot be converted.
    std::optional<std::string> Run(const char* data, std::size_t size) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
        std::vector<char> out(size * 2 + 16);
        char* in = const_cast<char*>(data);
        std::size_t inLeft = size;
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        if (iconv(cd_, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
        if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
        return std::string(out.data(), outPtr);
    }

private:
    iconv_t cd_;
};

}  // namespace

std::optional<std::string> EncodeCodePage932(const std::u16string& text) {
    Converter conv("CP932", "UTF-16LE");
    std::string utf16le;
    utf16le.reserve(text.size() * 2);
    for (char16_t c : text) {
        utf16le += static_cast<char>(c & 0xFF);
        utf16le += static_cast<char>(c >> 8);
    }
    auto bytes = conv.Run(utf16le.data(), utf16le.size());
    // A one-way mapping would read back as another character: only an exact
    // round trip counts as representable.
    if (bytes && DecodeCodePage932(*bytes) != text) return std::nullopt;
    return bytes;
}

std::u16string DecodeCodePage932(const std::string& bytes) {
    // Decode byte by byte (or pair by pair) so that one bad sequence costs one
    // character, not the whole file.
    std::u16string out;
    Converter conv("UTF-16LE", "CP932");
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const bool doubleByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        const std::size_t width = doubleByte && i + 1 < bytes.size() ? 2 : 1;
        auto piece = conv.Run(bytes.data() + i, width);
        if (piece && !piece->empty()) {
            for (std::size_t k = 0; k + 1 < piece->size(); k += 2)
                out += static_cast<char16_t>(static_cast<unsigned char>((*piece)[k]) |
                                             (static_cast<unsigned char>((*piece)[k + 1]) << 8));
        } else {
            out += u'\uFFFD';
        }
        i += width;
    }
    return out;
}

}  // namespace gleaner
