#include "app/tel_uri.h"

#include <gtest/gtest.h>

namespace vellix {
namespace {

struct TelCase {
    const char* dialText;
    const char* uri;
};

TEST(TelUri, KeepsDialableCharactersOnly) {
    const TelCase cases[] = {
        {"8 1234", "tel:81234"},    {"+1 (412) 268-1234", "tel:14122681234"},
        {"*4*", "tel:*4*"},         {"#31#555", "tel:%2331%23555"},
        {"x 55\xe9\t9", "tel:559"}, {"", "tel:"},
        {"call me", "tel:"},
    };
    for (const TelCase& c : cases)
        EXPECT_EQ(telUri(c.dialText), c.uri) << c.dialText;
}

} // namespace
} // namespace vellix
