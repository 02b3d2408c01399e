// The number finder over untrusted copied text, and the plain-text path around it.

#include "fuzz_input.h"

#include "capture/copied_text.h"
#include "capture/digit_string.h"
#include "capture/home_country.h"
#include "capture/number_finder.h"
#include "capture/number_reading.h"
#include "capture/unicode_text.h"

#include <cstring>
#include <memory>
#include <string>

using vellix::fuzz::check;

namespace {

int countDigits(const char* s) {
    int digits = 0;
    for (; *s != '\0'; ++s)
        digits += vellix::isDigit(*s) ? 1 : 0;
    return digits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A block of exactly the input's size with no NUL after it, so that a read past it is
    // caught.
    const auto block = std::make_unique<char[]>(size);
    std::memcpy(block.get(), data, size);

    vellix::CapturedNumberList found;
    const bool appended = vellix::findNumbers(block.get(), size, found);
    check(appended == !found.empty());
    check(found.size() <= vellix::MAX_FOUND_NUMBERS);
    for (const vellix::CapturedNumber& entry : found) {
        const char* text = entry.number().text();
        const std::size_t length = std::strlen(text);
        check(length >= 1 && length <= vellix::PhoneNumber::MAX_TEXT_LENGTH);
        // The text is the one a number made from it keeps.
        check(std::strcmp(vellix::PhoneNumber(text).digitForm(), entry.number().digitForm()) == 0);
        const int digits = countDigits(entry.number().digitForm());
        check(digits >= 7 && digits <= 15);
        // Every digit written before the extension is dialed.
        check(countDigits(text) - countDigits(vellix::readNumber(text).extension) <= digits);
        check(entry.kind() >= vellix::KIND_GENERAL && entry.kind() <= vellix::KIND_CELL);
        check(std::strlen(entry.label()) < vellix::CapturedNumber::LABEL_CAPACITY);
    }

    vellix::CapturedNumberList copied;
    const bool read = vellix::readCopiedText(block.get(), size, true, copied);
    check(read == !copied.empty());
    // Read at home, the numbers keep to a number's text and are never more.
    for (const char* home : {"1", "44"}) {
        vellix::CapturedNumberList local = copied;
        vellix::readInHomeCountry(local, home);
        check(local.size() <= copied.size() && (local.empty() == copied.empty()));
        for (const vellix::CapturedNumber& entry : local)
            check(std::strlen(entry.number().text()) <= vellix::PhoneNumber::MAX_TEXT_LENGTH);
    }

    // The same bytes as copied Unicode text: folded, it is well-formed UTF-8, and so is every
    // label found in it, cut or not.
    std::u16string units(size / sizeof(char16_t), u'\0');
    std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    const std::string folded = vellix::foldCopiedText(units);
    const auto wellFormed = [](const std::string& s) {
        return vellix::toUtf8(vellix::toUtf16(s)) == s;
    };
    check(wellFormed(folded));
    vellix::CapturedNumberList unicode;
    vellix::findNumbers(folded.data(), folded.size(), unicode);
    for (const vellix::CapturedNumber& entry : unicode)
        check(wellFormed(entry.label()));
    return 0;
}
