#include "capture/unicode_text.h"

namespace vellix {

namespace {

constexpr char32_t REPLACEMENT = 0xFFFD;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Writes c at out and returns the end of what it wrote; out has room for four bytes.
char* writeUtf8(char* out, char32_t c) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

void appendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
        return;
    }
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

// The character of the well-formed sequence at text[i], whose length goes to length; U+FFFD
// and a length of 1 for a byte that starts none.
char32_t decodeAt(std::string_view text, std::size_t i, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[i]);
    length = 1;
    if (lead < 0x80)
        return lead;
    std::size_t count = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        count = 2;
        c = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        count = 3;
        c = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        count = 4;
        c = lead & 0x07;
        least = 0x10000;
    } else {
        return REPLACEMENT;
    }
    if (i + count > text.size())
        return REPLACEMENT;
    for (std::size_t k = 1; k < count; ++k) {
        const auto byte = static_cast<unsigned char>(text[i + k]);
        if (!isContinuation(byte))
            return REPLACEMENT;
        c = (c << 6) | (byte & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return REPLACEMENT;
    length = count;
    return c;
}

} // namespace

std::string toUtf8(std::u16string_view text, char16_t (*map)(char16_t)) {
    // Most copies are ASCII alone: then each unit is a byte, in loops the compiler vectorises.
    char16_t all = 0;
    for (const char16_t unit : text)
        all |= unit;
    if (all < 0x80) {
        std::string out(text.size(), '\0');
        for (std::size_t i = 0; i < text.size(); ++i)
            out[i] = static_cast<char>(text[i]);
        return out;
    }
    // The exact length first: most text is ASCII, and room for three bytes a unit would be
    // memory taken and touched for nothing.
    std::size_t length = 0;
    for (char16_t unit : text) {
        if (unit >= 0x80 && map != nullptr)
            unit = map(unit);
        length += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
    }
    std::string out(length, '\0');
    char* end = out.data();
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c < 0x80) {
            *end++ = static_cast<char>(c);
            continue;
        }
        if (map != nullptr)
            c = map(text[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            // A pair counted six bytes and takes four.
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = REPLACEMENT;
        }
        end = writeUtf8(end, c);
    }
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

std::u16string toUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        appendUtf16(out, decodeAt(text, i, length));
        i += length;
    }
    return out;
}

std::size_t wholeCharactersIn(const char* text, std::size_t length) {
    // A character takes at most four bytes: its lead is at most three bytes back.
    std::size_t lead = length;
    while (lead > 0 && length - lead < 3 &&
           isContinuation(static_cast<unsigned char>(text[lead - 1])))
        --lead;
    if (lead == 0 || static_cast<unsigned char>(text[lead - 1]) < 0xC0)
        return length;
    --lead;
    std::size_t sequence = 0;
    decodeAt(std::string_view(text + lead, length - lead), 0, sequence);
    // A lead byte's well-formed sequence is never one byte long.
    return sequence > 1 && sequence == length - lead ? length : lead;
}

} // namespace vellix
