#include "shell/version.h"

#include "text/number_format.h"
#include "resources/texts.h"

namespace gleaner {

std::u16string VersionText(const VersionInfo& version) {
    return u"Ver" + Decimal(version.major) + u"." + Decimal(version.minor) + Decimal(version.revision);
}

std::u16string AppTitle(const VersionInfo& version) {
    return std::u16string(texts::kProgramName) + u" " + VersionText(version);
}

}  // namespace gleaner
