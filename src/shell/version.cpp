#include "shell/version.h"

#include "resources/texts.h"
#include "text/number_format.h"

namespace gleaner {

std::u16string VersionText(const VersionInfo& version) {
    return u"Ver" + Decimal(version.major) + u"." + Decimal(version.minor) + Decimal(version.revision);
}

std::u16string AppTitle(const VersionInfo& version, Language language) {
    std::u16string title = texts::kProgramName.In(language);
    title += u' ';
    title += VersionText(version);
    return title;
}

}  // namespace gleaner
