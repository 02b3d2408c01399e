#include "shell/tel_uri.h"

#include <gtest/gtest.h>

namespace vellix {
namespace {

struct TelCase {
    const char* dialText;
    const char* uri;
};

TEST(TelUri, DialsTheTextAsAPhoneWould) {
    const TelCase cases[] = {
        {"8 1234", "tel:81234"},
        {"*4*", "tel:*4*"},
        {"#31#555", "tel:%2331%23555"},
        {"\t55\xe9-9", "tel:559"},
        // A leading '+' makes a global number; any later one is dropped.
        {"+44 20 7946 0000", "tel:+442079460000"},
        {" (+1) 412 268-1234", "tel:+14122681234"},
        {"1+2", "tel:12"},
        // Letters are dialed by their keypad keys.
        {"1-800-FLOWERS", "tel:18003569377"},
        {"1-800-flowers", "tel:18003569377"},
        {"+1 800 GO FEDEX", "tel:+18004633339"},
        // An extension is a parameter of the number, not more of its digits.
        {"412-268-1234 x204", "tel:4122681234;ext=204"},
        {"412 268 1234,,204#", "tel:4122681234;ext=204%23"},
        {"+49 (0)30 1234567 ext. 5", "tel:+49301234567;ext=5"},
        // No digit left: nothing to hand over.
        {"", ""},
        {"+", ""},
        {"*#", ""},
        {"- ( ) -", ""},
    };
    for (const TelCase& c : cases)
        EXPECT_EQ(telUri(c.dialText), c.uri) << c.dialText;
}

} // namespace
} // namespace vellix
