// Modal message boxes.
#pragma once

#include <string>

#include "platform/geometry.h"

namespace gleaner {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Where a box of this size goes, given the pointer.
using BoxPlacement = Point (*)(int boxWidth, int boxHeight, Point pointer);

// Modal message boxes; each returns once the box is closed. A box runs its
// own message loop: the program opens one only from its main loop, one at a
// time (PromptQueue).
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer Show(const std::u16string& text, const std::u16string& title,
                               MessageButtons buttons) = 0;
    // A system-modal Yes/No question placed by place as soon as it appears.
    virtual MessageAnswer AskAtPointer(const std::u16string& text, const std::u16string& title,
                                       BoxPlacement place) = 0;
    // Closes the box that is open, if any, as its No or OK button would (the
    // session is ending and nobody will answer it).
    virtual void DismissOpenBox() = 0;
};

}  // namespace gleaner
