#pragma once

#include <cstddef>
#include <iosfwd>

namespace vellix {

// Reads the data files field by field: each field runs up to its delimiter byte, which
// is consumed and not kept. A CR right before a LF is dropped, so files with CR LF and
// with bare LF line ends read alike. Works on the stream's buffer one byte at a time,
// so a file of any content is read in time proportional to its size.
class FieldReader {
public:
    // A longer field fails the reader: reading stops there.
    static constexpr std::size_t MAX_FIELD_LENGTH = 255;
    using Field = char[MAX_FIELD_LENGTH + 1];

    explicit FieldReader(std::istream& stream);

    // Fills field with what stands before the delimiter, NUL-terminated (a NUL byte
    // read from the stream ends the string early). Once the reader is done, every
    // field comes back empty.
    void read(char delimiter, Field& field);
    // The same, keeping nothing.
    void skip(char delimiter);

    // The stream ended or a field was too long; the stream's state says which.
    bool done() const { return ended_ || failed_; }

private:
    static constexpr int NO_BYTE = -1;

    int peek();
    void take() { next_ = NO_BYTE; }
    void end();
    void fail();

    std::istream& stream_;
    int next_ = NO_BYTE;
    bool ended_ = false;
    bool failed_ = false;
};

} // namespace vellix
