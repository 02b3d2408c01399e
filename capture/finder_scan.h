#pragma once

// Scan: where a number may start, and the groups of digits and separators from there.

#include "capture/finder_text.h"
#include "capture/number_reading.h"

#include <cstdint>

namespace vellix::finder {

// A run of digits, in parentheses or not.
struct Group {
    int begin;
    int end;
    bool parenthesized;
    int length() const { return end - begin; }
};

// A stretch of text shaped like a number: an optional '+', then groups joined by single
// separators. joints[i] is what stands before group i: ' ' for a run of blanks, the
// punctuation itself, or 0 when nothing does (around parentheses) or for the first group.
struct Candidate {
    int begin = 0;
    int end = 0;
    bool plus = false;
    int digits = 0;
    int groupCount = 0;
    Group groups[MAX_GROUPS] = {};
    Byte joints[MAX_GROUPS] = {};
    // Whether blanks stand before group i, alone or around its joint.
    bool spaced[MAX_GROUPS] = {};

    const Group& last() const { return groups[groupCount - 1]; }
};

// The length of a no-break space written as an HTML entity at i ("&nbsp;"), or 0.
int blankEntityLength(const Text& text, int i);

// The longest candidate from start on. Its groups are kept up to MAX_GROUPS; past that
// only counted, so that the caller can skip the whole stretch.
Candidate scanCandidate(const Text& text, int start);

// Groups from..to of a candidate as a candidate of their own.
Candidate slice(const Candidate& c, int from, int to);

// Whether a number may start at i: a digit, '+' before a digit or '(', '(' before a digit or
// "+".
bool startsCandidate(const Text& text, int i);

// The first position from i on whose byte may start a number ('(', '+' or a digit), or the
// end. Most of a text is words, which this passes over eight bytes at a time.
int skipToPossibleStart(const char* text, int i, int length);

// Extends a candidate over the letters of a vanity number it starts ("1-800-FLOWERS").
bool extendToVanity(const char* data, const Text& text, Candidate& c, LetterCase letters);

} // namespace vellix::finder
