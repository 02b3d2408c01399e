#include "store/field_reader.h"

#include <istream>
#include <streambuf>

namespace vellix {

namespace {

constexpr int END = std::char_traits<char>::eof();

} // namespace

FieldReader::FieldReader(std::istream& stream) : stream_(stream) {
    if (!stream_.good() || stream_.rdbuf() == nullptr)
        fail();
}

// The next byte with CR LF folded into LF, or END. A CR is only dropped when the LF
// is already there, so a lone CR stays an ordinary byte.
int FieldReader::peek() {
    if (next_ != NO_BYTE)
        return next_;
    std::streambuf& buffer = *stream_.rdbuf();
    int c = buffer.sbumpc();
    if (c == '\r' && buffer.sgetc() == '\n')
        c = buffer.sbumpc();
    next_ = c == END ? END : static_cast<unsigned char>(c);
    return next_;
}

void FieldReader::end() {
    ended_ = true;
    stream_.setstate(std::ios::eofbit);
}

void FieldReader::fail() {
    failed_ = true;
    stream_.setstate(std::ios::failbit);
}

void FieldReader::read(char delimiter, Field& field) {
    std::size_t length = 0;
    field[0] = '\0';
    if (done())
        return;
    const int stop = static_cast<unsigned char>(delimiter);
    for (;;) {
        const int c = peek();
        if (c == END) {
            end();
            break;
        }
        if (c == stop) {
            take();
            break;
        }
        if (length == MAX_FIELD_LENGTH) {
            fail();
            break;
        }
        take();
        field[length++] = static_cast<char>(c);
    }
    field[length] = '\0';
}

void FieldReader::skip(char delimiter) {
    Field ignored;
    read(delimiter, ignored);
}

} // namespace vellix
