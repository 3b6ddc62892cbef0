// The small dialog that edits the programs whose copies are never read: one
// name a line, as the user writes them.
#pragma once

#include <string>
#include <vector>

#include "text/language.h"

namespace gleaner {

class ProgramListEvents {
public:
    virtual ~ProgramListEvents() = default;
    // OK: the list the dialog shows, as ProgramsFromText reads it.
    virtual void OnProgramListChosen(const std::vector<std::u16string>& programs) = 0;
};

class ProgramListView {
public:
    virtual ~ProgramListView() = default;
    // An open dialog comes to the front as it is; false when it could not open.
    virtual bool Open(const std::vector<std::u16string>& programs, Language language) = 0;
    virtual bool IsOpen() const = 0;
    virtual void Close() = 0;
};

// The edit box's text: one name a line.
std::u16string ProgramListText(const std::vector<std::u16string>& programs);
// Each line a name, without the blanks around it or the quotes Explorer's
// "copy as path" puts around a path; empty lines and lines no program can be
// named by (control characters, a length no path has) are left out.
std::vector<std::u16string> ProgramsFromText(const std::u16string& text);

}  // namespace gleaner
