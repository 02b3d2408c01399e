#include "capture/number_reading.h"

#include "number_corpus.h"

#include <gtest/gtest.h>

#include <string>

namespace vellix {
namespace {

std::string orDash(const char* s) {
    return s[0] == '\0' ? "-" : s;
}

TEST(ReadNumber, ReadsEveryWrittenNumberOfTheTable) {
    const auto rows = corpus::loadRows(VELLIX_NUMBER_READINGS);
    EXPECT_GE(rows.size(), 60U);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 3U) << row.front();
        const NumberReading reading = readNumber(row[0]);
        EXPECT_EQ(orDash(reading.number), row[1]) << row[0];
        EXPECT_EQ(orDash(reading.extension), row[2]) << row[0];
    }
}

TEST(ReadNumber, DialsTheNumberThenItsExtensionAfterItsPauses) {
    struct Case {
        const char* text;
        LetterCase letters;
        const char* address;
    };
    const Case cases[] = {
        {"412-268-1234 x 204", LetterCase::CAPITALS, "412 268 1234,204"},
        {"412 268 1234,,,204#", LetterCase::CAPITALS, "412 268 1234,,,204#"},
        {"+44 20 7946 0000;ext=12", LetterCase::CAPITALS, "+44 20 7946 0000,12"},
        // Typed or linked, a word after a code is a vanity number in any case.
        {"1-412-Flowers", LetterCase::ANY, "1 412 356 9377"},
        {"1-412-Flowers", LetterCase::CAPITALS, "1 412"},
        {"1-800-Flowers", LetterCase::CAPITALS, "1 800 356 9377"},
        {"Hello", LetterCase::ANY, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dialAddress(readNumber(c.text, c.letters)), c.address) << c.text;
    EXPECT_FALSE(hasNumber(readNumber("#*# ext. 5")));
    EXPECT_TRUE(hasNumber(readNumber("x2041")));
}

TEST(ReadNumber, ReadsNoMoreThanItsCapacity) {
    // An unterminated view over a long text: the reading keeps to its first 127 bytes.
    const std::string text = std::string(300, '7') + " x 204";
    const NumberReading reading = readNumber(text);
    EXPECT_EQ(std::string(reading.number), std::string(READING_CAPACITY - 1, '7'));
    EXPECT_STREQ(reading.extension, "");
    const std::string extension = "1 x" + std::string(300, '5');
    EXPECT_EQ(std::string(readNumber(extension).extension), std::string(READING_CAPACITY - 4, '5'));
}

} // namespace
} // namespace vellix
