#include "store/line_reader.h"

#include <istream>
#include <streambuf>

namespace vellix {

namespace {

constexpr int END = std::char_traits<char>::eof();

bool isBlankByte(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

LineReader::LineReader(std::istream& stream) : stream_(stream) {
    line_.reserve(MAX_LINE_LENGTH);
    if (!stream_.good() || stream_.rdbuf() == nullptr)
        ended_ = true;
}

bool LineReader::next() {
    line_.clear();
    tooLong_ = false;
    holdsNul_ = false;
    blank_ = true;
    if (ended_)
        return false;
    std::streambuf& buffer = *stream_.rdbuf();
    int c = buffer.sbumpc();
    if (c == END) {
        ended_ = true;
        stream_.setstate(std::ios::eofbit);
        return false;
    }
    for (; c != END && c != '\n' && c != '\r'; c = buffer.sbumpc()) {
        const char byte = static_cast<char>(c);
        holdsNul_ = holdsNul_ || byte == '\0';
        blank_ = blank_ && isBlankByte(byte);
        if (line_.size() < MAX_LINE_LENGTH)
            line_.push_back(byte);
        else
            tooLong_ = true;
    }
    if (c == '\r' && buffer.sgetc() == '\n')
        buffer.sbumpc();
    return true;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlankByte(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlankByte(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace vellix
