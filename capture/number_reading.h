#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellix {

// The longest text read as a number: a dial string typed into the number box.
constexpr std::size_t READING_CAPACITY = 128;

// Letters of a vanity number (1-800-FLOWERS) are read as keypad digits. In copied text a
// lower-case word after a number is as likely an address ("412 Oak Lane"), so there the
// letters count only in capitals or after a toll-free code; typed and linked numbers are
// meant to be dialed, in any case.
enum class LetterCase {
    CAPITALS,
    ANY,
};

// How a written number is dialed. The text is untrusted; a reading never fails.
struct NumberReading {
    // The digit form: a '+' for a number written with its country code, then the dialable
    // characters in groups one space apart. Letters of a vanity number are their keypad
    // digits, "(0)" after a country code is left out, and every other character (any dash,
    // blank, dot, parenthesis, letter) only separates groups. Empty without a digit.
    char number[READING_CAPACITY] = {};
    // What follows the number after "x", "ext.", ";ext=" or pauses (','): dialed only once
    // the call is answered, so never part of the number. Empty when there is none.
    char extension[READING_CAPACITY] = {};
    // Pauses written before the extension; one when it was marked by a word.
    int pauses = 0;
};

// Words that mark an extension after a number, in several languages; "x" too.
constexpr std::string_view EXTENSION_WORDS[] = {"extension", "extn",  "ext",     "anexo",
                                                "ramal",     "poste", "interno", "x"};

// Reads the first READING_CAPACITY - 1 bytes of the written text at most.
NumberReading readNumber(std::string_view written, LetterCase letters = LetterCase::CAPITALS);

// Where the vanity number that text starts with ("1-800-FLOWERS", "+1 800 GO FEDEX") ends,
// or 0 when it starts with none.
std::size_t vanityNumberEnd(std::string_view text, LetterCase letters);

// Whether a reading holds a digit to dial.
bool hasNumber(const NumberReading& reading);

// The number and its extension as shown to the user: "412 268 1234 x204".
std::string shownNumber(const NumberReading& reading);
// The extension as shown after the number: " x204", or empty.
std::string shownExtension(const NumberReading& reading);

// What the telephony request dials: the number, then the extension after its pauses.
std::string dialAddress(const NumberReading& reading);

} // namespace vellix
