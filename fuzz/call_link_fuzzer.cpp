// The link decoder over untrusted command lines: what it accepts is a number's reading (its
// digit form and any extension), and written back as a link it decodes to itself.

#include "fuzz_input.h"

#include "capture/call_link.h"

#include <cstring>
#include <string>
#include <string_view>

using vellix::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view link(reinterpret_cast<const char*>(data), size);
    vellix::PhoneNumber number("0");
    if (!vellix::decodeCallLink(link, number)) {
        check(std::strcmp(number.text(), "0") == 0);
        return 0;
    }
    const std::size_t length = std::strlen(number.text());
    check(length >= 1 && length <= vellix::PhoneNumber::MAX_TEXT_LENGTH);
    check(number.digitForm()[0] != '\0');
    const std::string text = number.text();
    const std::size_t extension = text.find(" x");
    const std::string digits = text.substr(0, extension);
    check(std::strspn(digits.c_str(), "0123456789*#+ ") == digits.size());

    const std::string again =
        "callto:" + (extension == std::string::npos
                         ? text
                         : text.substr(0, extension) + ";ext=" + text.substr(extension + 2));
    vellix::PhoneNumber reread;
    check(vellix::decodeCallLink(again, reread));
    check(std::strcmp(reread.text(), number.text()) == 0);
    return 0;
}
