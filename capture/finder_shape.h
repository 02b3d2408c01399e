#pragma once

// Shape: whether groups are shaped the way telephone numbers are written.

#include "capture/finder_scan.h"
#include "capture/finder_text.h"

#include <cstdint>

namespace vellix::finder {

// Where the candidate stands: inside a longer text, or as the whole of a short copied one.
enum class Setting {
    IN_TEXT,
    WHOLE_TEXT,
};

// A single run of digits is a number only in the forms people dial it as one: ten digits
// of a North American number, with or without its 1, or a national or international
// number with its leading 0 or 00. Other runs are counters, identifiers and timestamps.
bool isDialledAsOneRun(const Text& text, const Group& group);

// Whether the groups are shaped the way telephone numbers are written. Each rule below
// turns away a kind of text that is often shaped like one.
bool hasNumberShape(const Text& text, const Candidate& c, bool labelled, Setting setting);

// Whether a number nothing calls a phone number is written the way phone numbers are, so
// that a reader takes it for one on sight: in international form, or in a national form with
// its trunk 0 or its area code in parentheses, or as a North American number. Identifiers,
// codes and amounts come in every other grouping; with no word to say what they are, they
// are not dialed.
bool isFamiliarForm(const Text& text, const Candidate& c);

// Shaped like a number, and in a familiar form.
bool isFamiliarNumber(const Text& text, const Candidate& c);

// Where a run of groups that is no number parts into numbers written one after another with
// a blank between them ("412-268-1234 412-268-5678"): the first blank after which the groups
// before and those after are each a number in a familiar form (or, after a slash, a local
// number), or 0. Every part must be one, so a card or account number in blocks never breaks
// into numbers.
int familiarSplit(const Text& text, const Candidate& c, int from = 0);

} // namespace vellix::finder
