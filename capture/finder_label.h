#pragma once

// Label: the words that name a found number, as written, and the kind they give it.

#include "capture/captured_number.h"
#include "capture/finder_context.h"
#include "capture/finder_text.h"

#include <cstdint>

namespace vellix::finder {

// Where a label stands in the text, and the kind of line it names; begin is -1 for none.
struct Label {
    int begin = -1;
    int end = -1;
    std::int32_t kind = KIND_GENERAL;
    // A name the text gives the number (the phrase before its colon, a key, a tag), not a
    // word near it.
    bool isName = false;
};

// The label just before a number that begins at begin: a label phrase, optionally
// followed by a ':' or '.', and blanks.
Label findLabel(const Text& text, int begin);

// The kind the words of a label give; a letter alone counts only as the whole label ("M:").
std::int32_t kindOfLabel(const Text& text, int start, int end);

// The label of a number as written before it: the phrase before a colon or '=' ("London
// office: ", "phone=", "\"mobile\":\""), a tag's name ("<Telephone>"), a label word just before
// it ("Tel 0221 ..."), or its table column's heading. None when nothing names it.
Label writtenLabel(const Text& text, int begin, Headings& headings);

} // namespace vellix::finder
