#include "capture/phone_number.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <ostream>
#include <string>

namespace vellix {
namespace {

struct NormalisationCase {
    const char* text;
    const char* digitForm;
};

void PrintTo(const NormalisationCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class Normalisation : public testing::TestWithParam<NormalisationCase> {};

TEST_P(Normalisation, KeepsDialableCharactersInSpaceSeparatedGroups) {
    const PhoneNumber number(GetParam().text);
    EXPECT_STREQ(number.text(), GetParam().text);
    EXPECT_STREQ(number.digitForm(), GetParam().digitForm);
}

INSTANTIATE_TEST_SUITE_P(Texts, Normalisation,
                         testing::Values(NormalisationCase{"(412) 268-1234", "412 268 1234"},
                                         NormalisationCase{"+1 412.268.1234", "+1 412 268 1234"},
                                         NormalisationCase{"412-268-1234 x56", "412 268 1234"},
                                         NormalisationCase{"*67 555-1212#", "*67 555 1212#"},
                                         NormalisationCase{"x1234", "1234"},
                                         NormalisationCase{"412-268-1234\r\n", "412 268 1234"},
                                         NormalisationCase{"Hello", ""},
                                         NormalisationCase{"412 X 268", "412"},
                                         NormalisationCase{"1-800-FLOWERS", "1 800 356 9377"},
                                         NormalisationCase{"\xef\xbc\x91\xd9\xa3"
                                                           "5",
                                                           "5"},
                                         NormalisationCase{"1", "1"}));

TEST(PhoneNumberSetText, AcceptsOneToTwentyThreeCharacters) {
    PhoneNumber number;
    const std::string longest(23, '7');
    EXPECT_TRUE(number.setText(longest.c_str()));
    EXPECT_STREQ(number.text(), longest.c_str());
    EXPECT_STREQ(number.digitForm(), longest.c_str());
}

TEST(PhoneNumberSetText, RefusedTextLeavesPreviousValue) {
    PhoneNumber number("555-1212");
    const std::string tooLong(24, '7');
    EXPECT_FALSE(number.setText(tooLong.c_str()));
    EXPECT_STREQ(number.text(), "555-1212");
    EXPECT_STREQ(number.digitForm(), "555 1212");
    EXPECT_FALSE(number.setText(""));
    EXPECT_STREQ(number.text(), "555-1212");
    EXPECT_STREQ(number.digitForm(), "555 1212");
}

TEST(PhoneNumberSetText, NullEmptiesTheValue) {
    PhoneNumber number("555-1212");
    EXPECT_FALSE(number.setText(nullptr));
    EXPECT_STREQ(number.text(), "");
    EXPECT_STREQ(number.digitForm(), "");
}

TEST(PhoneNumberSetText, ReadsNoFurtherThanOnePastTheLongestText) {
    // An unterminated buffer of exactly 24 bytes: the refusal must not look past it.
    const auto buffer = std::make_unique<char[]>(24);
    std::memset(buffer.get(), '5', 24);
    PhoneNumber number;
    EXPECT_FALSE(number.setText(buffer.get()));
}

TEST(PhoneNumberConstruction, RefusedTextGivesEmptyValue) {
    const std::string tooLong(24, '1');
    for (const char* text : {"", tooLong.c_str(), static_cast<const char*>(nullptr)}) {
        const PhoneNumber number(text);
        EXPECT_STREQ(number.text(), "");
        EXPECT_STREQ(number.digitForm(), "");
    }
    const PhoneNumber empty;
    EXPECT_STREQ(empty.text(), "");
    EXPECT_STREQ(empty.digitForm(), "");
}

TEST(PhoneNumberCopy, CopiesTextAndDigitForm) {
    const PhoneNumber original("(412) 268-1234");
    PhoneNumber copy;
    copy = original;
    EXPECT_STREQ(copy.text(), "(412) 268-1234");
    EXPECT_STREQ(copy.digitForm(), "412 268 1234");
}

struct LeadingGroupsCase {
    const char* a;
    const char* b;
    int shared;
};

void PrintTo(const LeadingGroupsCase& c, std::ostream* os) {
    *os << '"' << c.a << "\" / \"" << c.b << '"';
}

class SharedLeadingGroups : public testing::TestWithParam<LeadingGroupsCase> {};

TEST_P(SharedLeadingGroups, CountsWholeGroupsFollowedByTheSameBoundary) {
    EXPECT_EQ(countSharedLeadingGroups(PhoneNumber(GetParam().a), PhoneNumber(GetParam().b)),
              GetParam().shared);
}

INSTANTIATE_TEST_SUITE_P(Pairs, SharedLeadingGroups,
                         testing::Values(LeadingGroupsCase{"412 268 1234", "412 268 1234", 3},
                                         LeadingGroupsCase{"412 268 1234", "412 268 1212", 2},
                                         LeadingGroupsCase{"412 268 1234", "412 26", 1},
                                         LeadingGroupsCase{"412 26", "412 268", 1},
                                         LeadingGroupsCase{"412", "412 268", 0},
                                         LeadingGroupsCase{"412 268", "412", 0},
                                         LeadingGroupsCase{"", "", 1},
                                         LeadingGroupsCase{"650 555 0000", "412 268 1234", 0}));

TEST(DigitFormGreater, OrdersDigitFormsByteWise) {
    EXPECT_TRUE(digitFormGreater(PhoneNumber("412 268 1234"), PhoneNumber("412 268")));
    EXPECT_FALSE(digitFormGreater(PhoneNumber("1 800"), PhoneNumber("412")));
    EXPECT_FALSE(digitFormGreater(PhoneNumber("412"), PhoneNumber("412")));
    EXPECT_TRUE(digitFormGreater(PhoneNumber("*1"), PhoneNumber("#1")));
}

} // namespace
} // namespace vellix
