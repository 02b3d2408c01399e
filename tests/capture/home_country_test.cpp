#include "capture/home_country.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellix {
namespace {

TEST(NationalForm, ReadsTheHomeCountrysNumbersAsTheyAreDialedAtHome) {
    struct Case {
        const char* home;
        const char* digitForm;
        const char* national;
    };
    const Case cases[] = {
        {"1", "+1 412 268 4321", "412 268 4321"},
        {"1", "1 412 268 4321", "412 268 4321"},
        {"1", "+14122684321", "4122684321"},
        {"1", "412 268 4321", "412 268 4321"},
        {"1", "1 800 356 9377", "800 356 9377"},
        // Not ten digits after the 1, or an area code starting with 0 or 1: left alone.
        {"1", "1 268 4321", "1 268 4321"},
        {"1", "1 112 268 4321", "1 112 268 4321"},
        {"1", "+44 20 7946 0000", "+44 20 7946 0000"},
        {"44", "+44 20 7946 0000", "020 7946 0000"},
        {"44", "+442079460000", "02079460000"},
        {"44", "+1 412 268 4321", "+1 412 268 4321"},
        {"44", "1 412 268 4321", "1 412 268 4321"},
        // A trunk 0 after the country code is a mistake; another 0 would dial abroad.
        {"44", "+44 020 7946 0000", "+44 020 7946 0000"},
        {"49", "+49 30 1234567", "030 1234567"},
        {"39", "+39 06 1234 5678", "06 1234 5678"},
        {"36", "+36 1 234 5678", "061 234 5678"},
        {"7", "+7 495 123 45 67", "8495 123 45 67"},
        // A home country whose trunk prefix is not known keeps the '+'.
        {"999", "+999 12 3456", "+999 12 3456"},
        {"", "+44 20 7946 0000", "+44 20 7946 0000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nationalForm(c.digitForm, c.home), c.national) << c.home << ": " << c.digitForm;
    EXPECT_TRUE(isKnownHomeCountry("44"));
    EXPECT_FALSE(isKnownHomeCountry("999"));
}

TEST(ReadInHomeCountry, GivesEveryNumberItsHomeTextOnce) {
    CapturedNumberList numbers{
        CapturedNumber("+1 (412) 268-4321", KIND_GENERAL, "Office"),
        CapturedNumber("412-268-4321", KIND_CELL, nullptr),
        CapturedNumber("1-412-268-4321 x 204", KIND_HOME, "Home"),
        CapturedNumber("+44 20 7946 0000", KIND_GENERAL, "London"),
    };
    readInHomeCountry(numbers, "1");
    std::vector<std::string> texts;
    for (const CapturedNumber& n : numbers)
        texts.push_back(std::string(n.label()) + ": " + n.number().text());
    EXPECT_EQ(texts, (std::vector<std::string>{"Office: 412 268 4321", "Home: 412 268 4321 x204",
                                               "London: +44 20 7946 0000"}));
    EXPECT_EQ(numbers[1].kind(), KIND_HOME);
}

} // namespace
} // namespace vellix
