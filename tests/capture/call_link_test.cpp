#include "capture/call_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string_view>

namespace vellix {
namespace {

struct LinkCase {
    std::string_view link;
    // The decoded number's text; null when the link is refused.
    const char* text;
};

TEST(CallLink, DecodesTheNumberOrRefusesTheLink) {
    using namespace std::string_view_literals;
    const LinkCase cases[] = {
        {"tel:+1-412-268-1234", "+1 412 268 1234"},
        {"TEL:412.268.1234", "412 268 1234"},
        {"CallTo:(412)268-1234", "412 268 1234"},
        {"callto://+14122681234", "+14122681234"},
        {"  \"tel:555-0100\"\r\n", "555 0100"},
        {"tel:%2B1%20412%20268%201234", "+1 412 268 1234"},
        {"tel:%2B44%2020%207946%200000", "+44 20 7946 0000"},
        {"tel:%2a31%23555-0100", "*31#555 0100"},
        {"tel:863-1234;phone-context=+1-914-555", "863 1234"},
        // The extension is kept apart from the number; vanity letters are keypad digits.
        {"tel:+1-412-268-1234;ext=56?subject=x", "+1 412 268 1234 x56"},
        {"tel:412-268-1234;EXT=2%304", "412 268 1234 x204"},
        {"TEL:+1-800-FLOWERS", "+1 800 356 9377"},
        {"tel:1-800-flowers", "1 800 356 9377"},
        {"tel:+49-(0)30-1234567", "+49 30 1234567"},
        {"tel:12345678901234567890123", "12345678901234567890123"},
        // Refused: too long, no number, not a number, another scheme, malformed escapes.
        {"tel:123456789012345678901234", nullptr},
        {"tel:+1 (412) 268-1234 0000 000", nullptr},
        {"tel:", nullptr},
        {"tel:;ext=55", nullptr},
        {"tel:+-.()", nullptr},
        {"callto://echo123", nullptr},
        {"tel:412-Oak-Lane-1", nullptr},
        {"tel:Xp-412-26X-Xele+AXXX12t-268", nullptr},
        {"tel:555%0A0100", nullptr},
        {"tel:555\0"
         "0100"sv,
         nullptr},
        {"tel:555-0100%", nullptr},
        {"tel:555-0100%2", nullptr},
        {"tel:555%G10100", nullptr},
        {"sip:555-0100", nullptr},
        {"te", nullptr},
        {"\"", nullptr},
        {"", nullptr},
    };
    for (const LinkCase& c : cases) {
        // An exact-size copy without a terminator: the sanitizer reports any read past it.
        const auto bytes = std::make_unique<char[]>(c.link.size());
        std::copy(c.link.begin(), c.link.end(), bytes.get());
        PhoneNumber number("9");
        const bool decoded = decodeCallLink(std::string_view(bytes.get(), c.link.size()), number);
        EXPECT_EQ(decoded, c.text != nullptr) << c.link;
        EXPECT_STREQ(number.text(), decoded ? c.text : "9") << c.link;
    }
}

} // namespace
} // namespace vellix
