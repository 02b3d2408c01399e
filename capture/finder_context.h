#pragma once

// Context: what the words, marks and table around a candidate say it is.

#include "capture/finder_scan.h"
#include "capture/finder_shape.h"
#include "capture/finder_text.h"

#include <cstdint>

namespace vellix::finder {

// What a line from start on holds: where it ends, whether it has a digit, and its cell
// separator, or 0 (' ' stands for runs of blanks). One pass over it.
struct LineFacts {
    int end = 0;
    bool digits = false;
    bool letters = false;
    Byte separator = 0;
    // How many separators part it; quoted cells may hold them.
    int cells = 0;
};

// Where the heading of the number's column stands, or {-1, -1} outside a table.
struct Span {
    int start = -1;
    int end = -1;
};

LineFacts lineFacts(const Text& text, int start);

// The headings of the tables a text holds, learned line by line as the search moves on: for
// each separator, the latest line it parts that holds no digit.
class Headings {
public:
    // The line that position lies on, read once however many numbers it holds.
    void findRow(const Text& text, int position);
    // Reads the lines before the row, each once, and notes the headings among them.
    void readUpToRow(const Text& text);
    int latest(Byte separator) const { return latest_[slot(separator)]; }
    int latestCells(Byte separator) const { return cells_[slot(separator)]; }
    int rowStart() const { return rowStart_; }
    Byte rowSeparator() const { return row_.separator; }
    int rowCells() const { return row_.cells; }

private:
    static int slot(Byte separator);

    int next_ = 0;
    int latest_[5] = {-1, -1, -1, -1, -1};
    int cells_[5] = {};
    int rowStart_ = -1;
    LineFacts row_;
};

// Whether any word of text[start, end) says phone (1), or another numbered thing (-1).
int meaningOfWords(const Text& text, int start, int end);

bool isPhoneWord(const Text& text, int start, int end);

// A verb of calling in a language other than English: "ll\341menos", "chiamaci".
bool isCallingWord(const Text& text, int start, int end);

// Whether a word earlier on the number's line, not far before it, calls it a phone number:
// "Phones: 412-268-1234 412-268-5678", "please call me on 0412 345 678".
bool saysPhoneBefore(const Text& text, int begin);

// Any numbered thing but a telephone: "Kundennummer", "Ondernemingsnummer".
bool endsInNumberWord(const Text& text, int start, int end);

// A word before the number such as "Order", "Invoice no.", "Meeting ID:", a currency sign,
// or a code.
bool saysNotNumberBefore(const Text& text, int begin);

bool saysNotNumberAfter(const Text& text, int end);

// The end of an extension written after a number ("x 567", "ext. 567", ";ext=567"), or
// end itself when there is none.
int extensionEnd(const Text& text, int end);

// Whether a word marks an extension after the number ("ext. 567", "anexo 12"), which only a
// telephone number has; "x 10" may be a product.
bool hasNamedExtension(const Text& text, int end);

// Whether what stands before a candidate starting at begin ties it to a longer token: a
// word or identifier, a decimal, a time, an amount, a path.
bool tiedBefore(const Text& text, int begin);

// Whether what follows a candidate ending at end ties it to a longer token.
bool tiedAfter(const Text& text, int end);

Span headingOver(const Text& text, int begin, Headings& headings);

int columnMeaning(const Text& text, int begin, Headings& headings);

// A row's cell in quotes that is a number dialed as one run: "Lee","6505550123","lee@...".
// Quotes make the cell text, not a count.
bool isQuotedCell(const Text& text, const Candidate& c);

} // namespace vellix::finder
