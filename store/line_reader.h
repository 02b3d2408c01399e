#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace vellix {

// Reads a data file line by line. CR LF, LF and a CR alone each end a line, so files saved
// by any editor read alike, and a damaged line never runs on into the next one. Works on
// the stream's buffer one byte at a time, in time proportional to the file's size.
class LineReader {
public:
    // No line this program writes comes near it; a longer line is passed over whole,
    // however long it is, and only this much of it is ever held.
    static constexpr std::size_t MAX_LINE_LENGTH = 1023;

    explicit LineReader(std::istream& stream);

    // Moves to the next line; false once the stream has ended.
    bool next();

    // The line without its line end; only whole when isText holds.
    const std::string& text() const { return line_; }
    // Within MAX_LINE_LENGTH and free of NUL bytes: a line the file formats can hold.
    bool isText() const { return !tooLong_ && !holdsNul_; }
    // Nothing but blanks and tabs, or nothing at all.
    bool isBlank() const { return blank_; }

private:
    std::istream& stream_;
    std::string line_;
    bool tooLong_ = false;
    bool holdsNul_ = false;
    bool blank_ = true;
    bool ended_ = false;
};

// Hands the text of every line that is not blank to read, which returns whether it could
// use the line. True when every such line was text and read took it.
template <typename Read> bool readEveryLine(std::istream& stream, Read read) {
    LineReader lines(stream);
    bool everyLineRead = true;
    while (lines.next()) {
        if (!lines.isBlank() && !(lines.isText() && read(lines.text())))
            everyLineRead = false;
    }
    return everyLineRead;
}

// The text without the blanks and tabs around it.
std::string_view trimBlanks(std::string_view text);

} // namespace vellix
