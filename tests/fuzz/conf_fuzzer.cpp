// libFuzzer target: any bytes as Conf.txt, through the reader, the number
// parsing and the separator decoding. Besides the sanitizers' findings it
// checks what the rest of the program relies on:
//   - a text setting never holds what the collection box or the file cannot
//     take back (NUL, a line break, "=", a leading blank);
//   - what the program writes for that record reads back to the same record;
//   - the separator, decoded, holds no NUL (what it decodes to is the host
//     tests' table of DecodeSeparator).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

#include "capture/capture_handler.h"
#include "platform/codepage.h"
#include "settings/conf_file.h"
#include "settings/settings_defaults.h"
#include "text/parse_number.h"

namespace {

using namespace gleaner;

void Fail(const char* what) {
    std::fprintf(stderr, "conf_fuzzer: %s\n", what);
    std::abort();
}

SettingsRecord Defaults() {
    SettingsRecord record;
    LoadDefaults(record, {28800, 16200}, {4635, 2370});
    return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string text = DecodeConf(bytes);

    SettingsRecord read = Defaults();
    ApplyConf(read, text);
    for (const std::u16string* value :
         {&read.dispPos, &read.searchString, &read.customItem, &read.separator, &read.pasteKey, &read.popupKey}) {
        if (value->find_first_of(u"\0\r\n=", 0, 4) != std::u16string::npos)
            Fail("a text setting holds NUL, CR, LF or =");
        if (!value->empty() && value->front() == u' ') Fail("a text setting starts with a blank");
    }

    // The value parsers alone, on the whole text: no number is ever NaN.
    const double leading = ParseLeadingNumber(text);
    RoundToInt32(leading);
    const auto whole = ParseWholeNumber(text);
    if (leading != leading || (whole && *whole != *whole)) Fail("a number is NaN");

    const TwipsRect window{read.formLeft, read.formTop, read.formWidth, read.formHeight};
    SettingsRecord again = Defaults();
    ApplyConf(again, DecodeConf(EncodeConf(FormatConf(read, window))));
    if (FormatConf(again, window) != FormatConf(read, window)) {
        std::fprintf(stderr, "written:\n%s\nread back:\n%s\n", EncodeUtf8(FormatConf(read, window)).c_str(),
                     EncodeUtf8(FormatConf(again, window)).c_str());
        Fail("what was written reads back differently");
    }

    if (DecodeSeparator(read.separator).find(u'\0') != std::u16string::npos) Fail("the separator holds a NUL");
    return 0;
}
