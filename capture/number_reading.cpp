#include "capture/number_reading.h"

#include "capture/digit_string.h"

#include <algorithm>
#include <array>

namespace vellix {

namespace {

using Byte = unsigned char;

// The bytes of a text, NUL past its end, so that look-aheads need no bounds checks.
class Text {
public:
    explicit Text(std::string_view text) : text_(text) {}
    char at(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }
    std::size_t size() const { return text_.size(); }

private:
    std::string_view text_;
};

bool isLetter(char c) {
    const char folded = static_cast<char>(c | 0x20);
    return folded >= 'a' && folded <= 'z';
}

bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

bool isAlphanumeric(char c) {
    return isDigit(c) || isLetter(c);
}

char lowerCase(char c) {
    return isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

// Blanks of the folded text: space and tab.
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// What may stand between the groups of a vanity number: blanks, dashes, dots, slashes and
// parentheses.
bool isGroupSeparator(char c) {
    return isBlank(c) || c == '-' || c == '.' || c == '/' || c == '(' || c == ')';
}

char keypadDigit(char c) {
    static const char KEYS[] = "22233344455566677778889999";
    return isLetter(c) ? KEYS[lowerCase(c) - 'a'] : c;
}

std::size_t skipBlanks(const Text& text, std::size_t i) {
    while (isBlank(text.at(i)))
        ++i;
    return i;
}

// Whether the letters from i on spell word (lower case) and end there.
bool wordAt(const Text& text, std::size_t i, std::string_view word) {
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (lowerCase(text.at(i + k)) != word[k])
            return false;
    }
    return !isLetter(text.at(i + word.size()));
}

struct Extension {
    std::size_t begin = 0; // its first dialable character
    int pauses = 0;        // 0: no extension here
};

// An extension announced at i, after the number: "x204", " x 204", "ext. 204", "ext: 204",
// "extension 204", ";ext=204", ",,204".
Extension extensionAt(const Text& text, std::size_t i) {
    i = skipBlanks(text, i);
    if (text.at(i) == ',') {
        int pauses = 0;
        for (; text.at(i) == ','; ++i)
            ++pauses;
        i = skipBlanks(text, i);
        if (isKeypadChar(text.at(i)))
            return {i, pauses};
        // A comma before a word that names the extension: "22 555 6140, anexo 12".
        if (pauses > 1)
            return {};
    }
    // ";ext=204" as a link writes it, or any word after a semicolon as after a comma.
    if (text.at(i) == ';')
        i = skipBlanks(text, i + 1);
    std::size_t marker = 0;
    const char first = lowerCase(text.at(i));
    for (const std::string_view word : EXTENSION_WORDS) {
        if (first == word[0] && wordAt(text, i, word)) {
            marker = word.size();
            break;
        }
    }
    if (marker == 0)
        return {};
    i += marker;
    if (text.at(i) == '.')
        ++i;
    i = skipBlanks(text, i);
    if (text.at(i) == ':' || text.at(i) == '=' || text.at(i) == '#')
        i = skipBlanks(text, i + 1);
    return isDigit(text.at(i)) ? Extension{i, 1} : Extension{};
}

struct Token {
    std::size_t begin;
    std::size_t end;
    int letters;
    bool capitals; // every letter in capitals
};

constexpr std::size_t MAX_TOKENS = 8;
constexpr std::size_t SUBSCRIBER_LENGTH = 7;

bool allDigits(const Text& text, const Token& token) {
    return token.letters == 0 && token.end > token.begin && isDigit(text.at(token.begin));
}

// The codes in front of a vanity word: an area code or toll-free code of three digits
// (never starting with 0 or 1), or a national code of four starting with the trunk 0.
bool isVanityCode(const Text& text, const Token& token) {
    const std::size_t length = token.end - token.begin;
    const char first = text.at(token.begin);
    return allDigits(text, token) &&
           ((length == 3 && first >= '2') || (length == 4 && first == '0'));
}

bool isTollFree(const Text& text, const Token& token) {
    static const char* const CODES[] = {"800", "888", "877", "866",  "855",
                                        "844", "833", "900", "0800", "0808"};
    const std::size_t length = token.end - token.begin;
    return std::any_of(std::begin(CODES), std::end(CODES), [&](const char* code) {
        const std::string_view c(code);
        if (c.size() != length)
            return false;
        for (std::size_t k = 0; k < length; ++k) {
            if (text.at(token.begin + k) != c[k])
                return false;
        }
        return true;
    });
}

struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool found = false;
};

// The letters part of a vanity number from start on: [country or trunk code] code, then
// seven letters and digits of which at least three are letters ("1-800-FLOWERS",
// "+1 800 GO FEDEX", "0800 356 FLOW"). Nothing but an extension may follow it, so "1 800
// FLOWERS NOW" and "412 Main Street" are no vanity numbers.
Span findVanity(const Text& text, std::size_t start, LetterCase letters) {
    std::array<Token, MAX_TOKENS> tokens{};
    std::size_t count = 0;
    std::size_t i = start;
    while (count < MAX_TOKENS && isAlphanumeric(text.at(i))) {
        Token token{i, i, 0, true};
        for (; isAlphanumeric(text.at(i)); ++i) {
            if (isLetter(text.at(i))) {
                ++token.letters;
                token.capitals = token.capitals && isUpper(text.at(i));
            }
        }
        token.end = i;
        tokens[count++] = token;
        // An extension ends the words; "x" alone is no vanity word.
        if (extensionAt(text, i).pauses > 0)
            break;
        const std::size_t gap = i;
        bool wide = false;
        bool opens = false;
        for (; isGroupSeparator(text.at(i)); ++i) {
            wide = wide || (i > gap && isBlank(text.at(i)) && isBlank(text.at(i - 1)));
            opens = opens || text.at(i) == '(';
        }
        // A wide gap is a table's next column: "004-882-7731   DOB: ..."; after the digits an
        // aside opens: "0800-0224 (ma t/m vr ...)".
        if (i == gap || wide || (opens && count >= 2))
            break;
    }
    for (std::size_t code = 0; code < count && code < 2; ++code) {
        if (!isVanityCode(text, tokens[code]))
            continue;
        // In front of the code at most a country or trunk code of one to three digits.
        if (code == 1 && (!allDigits(text, tokens[0]) || tokens[0].end - tokens[0].begin > 3))
            continue;
        std::size_t length = 0;
        int letterCount = 0;
        bool capitals = true;
        std::size_t last = code + 1;
        for (; last < count && length < SUBSCRIBER_LENGTH; ++last) {
            length += tokens[last].end - tokens[last].begin;
            letterCount += tokens[last].letters;
            capitals = capitals && tokens[last].capitals;
        }
        if (length != SUBSCRIBER_LENGTH || letterCount < 3)
            continue;
        if (letters == LetterCase::CAPITALS && !capitals && !isTollFree(text, tokens[code]))
            continue;
        // After it: the end, an extension, or punctuation; never another word or more to dial.
        const std::size_t after = tokens[last - 1].end;
        std::size_t next = after;
        while (isGroupSeparator(text.at(next)))
            ++next;
        const char following = text.at(next);
        // In running text a word in lower case or an aside in parentheses may follow:
        // "Call 1-800-FLOWERS or order online", "866-MY-CLEAN (866-692-5326)".
        bool aside = false;
        for (std::size_t k = after; k < next; ++k)
            aside = aside || text.at(k) == '(';
        const bool newWord = letters == LetterCase::CAPITALS && next > after &&
                             (aside || (isLetter(following) && !isUpper(following)));
        // A word before a colon names the next field: "... 7731 DOB: 1962".
        if (((isAlphanumeric(following) || isKeypadChar(following)) &&
             extensionAt(text, after).pauses == 0 && !newWord) ||
            text.at(after) == ':')
            continue;
        return {tokens[code + 1].begin, after, true};
    }
    return {};
}

// Writes groups one space apart, never past the reading's field.
class DigitWriter {
public:
    explicit DigitWriter(char (&out)[READING_CAPACITY]) : out_(out) {}
    void put(char c) {
        if (pendingSpace_ && n_ > 0 && out_[n_ - 1] != INTERNATIONAL_PREFIX)
            append(' ');
        pendingSpace_ = false;
        append(c);
    }
    void separate() { pendingSpace_ = n_ > 0; }
    std::size_t size() const { return n_; }
    // Whether what is written is "+" and a country code.
    bool isCountryCode() const {
        if (n_ < 2 || out_[0] != INTERNATIONAL_PREFIX)
            return false;
        return std::all_of(out_ + 1, out_ + n_, isDigit);
    }

private:
    void append(char c) {
        if (n_ + 1 < READING_CAPACITY) {
            out_[n_++] = c;
            out_[n_] = '\0';
        }
    }

    char (&out_)[READING_CAPACITY];
    std::size_t n_ = 0;
    bool pendingSpace_ = false;
};

// The number starts at its first digit, or at a '+' right before it ("+44", "+(44)").
std::size_t numberStart(const Text& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (isKeypadChar(c))
            return i;
        if (c == INTERNATIONAL_PREFIX &&
            (isDigit(text.at(i + 1)) || (text.at(i + 1) == '(' && isDigit(text.at(i + 2)))))
            return i;
    }
    return text.size();
}

} // namespace

NumberReading readNumber(std::string_view written, LetterCase letters) {
    const Text text(written.substr(0, READING_CAPACITY - 1));
    NumberReading reading;
    DigitWriter number(reading.number);
    std::size_t i = numberStart(text);
    Span vanity = findVanity(text, text.at(i) == INTERNATIONAL_PREFIX ? i + 1 : i, letters);
    // Read whole, a number's text has nothing more to dial after its vanity word but an
    // extension: its digit form then never outgrows the text.
    if (vanity.found && extensionAt(text, vanity.end).pauses == 0) {
        for (std::size_t k = vanity.end; k < text.size(); ++k)
            vanity.found = vanity.found && !isKeypadChar(text.at(k));
    }
    for (; i < text.size(); ++i) {
        const char c = text.at(i);
        if (vanity.found && i == vanity.begin) {
            // Regrouped the way the digits are written: "356 9377".
            std::size_t put = 0;
            for (; i < vanity.end; ++i) {
                if (!isAlphanumeric(text.at(i)))
                    continue;
                if (put++ == 3)
                    number.separate();
                number.put(keypadDigit(text.at(i)));
            }
            --i;
            continue;
        }
        if (isKeypadChar(c) || (c == INTERNATIONAL_PREFIX && number.size() == 0)) {
            number.put(c);
            continue;
        }
        if (number.size() > 0) {
            // "+49 (0)30": the trunk 0 is not dialed from abroad.
            if (c == '(' && text.at(i + 1) == '0' && text.at(i + 2) == ')' &&
                number.isCountryCode()) {
                i += 2;
                number.separate();
                continue;
            }
            const Extension extension = extensionAt(text, i);
            if (extension.pauses > 0) {
                std::size_t n = 0;
                for (std::size_t k = extension.begin; isKeypadChar(text.at(k)); ++k)
                    reading.extension[n++] = text.at(k);
                reading.extension[n] = '\0';
                reading.pauses = extension.pauses;
                break;
            }
            // A list of numbers or a link's parameters: the number ends here.
            if (c == ',' || c == ';')
                break;
        }
        number.separate();
    }
    return reading;
}

std::size_t vanityNumberEnd(std::string_view text, LetterCase letters) {
    const Text bounded(text.substr(0, READING_CAPACITY - 1));
    const std::size_t start = bounded.at(0) == INTERNATIONAL_PREFIX ? 1 : 0;
    if (!isDigit(bounded.at(start)))
        return 0;
    const Span vanity = findVanity(bounded, start, letters);
    return vanity.found ? vanity.end : 0;
}

bool hasNumber(const NumberReading& reading) {
    return std::any_of(std::begin(reading.number), std::end(reading.number), isDigit);
}

std::string shownExtension(const NumberReading& reading) {
    return reading.extension[0] == '\0' ? std::string() : std::string(" x") + reading.extension;
}

std::string shownNumber(const NumberReading& reading) {
    return reading.number + shownExtension(reading);
}

std::string dialAddress(const NumberReading& reading) {
    std::string address = reading.number;
    if (reading.extension[0] != '\0') {
        address.append(static_cast<std::size_t>(std::max(reading.pauses, 1)), ',');
        address += reading.extension;
    }
    return address;
}

} // namespace vellix
