#include "rules/number_pair.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace vellix {
namespace {

struct PairCase {
    const char* copied;
    const char* dialed;
    int sharedDigits;
    const char* dialPrefix;
    bool learnable;
};

void PrintTo(const PairCase& c, std::ostream* os) {
    *os << '"' << c.copied << "\" -> \"" << c.dialed << '"';
}

class NumberPairAlignment : public testing::TestWithParam<PairCase> {};

TEST_P(NumberPairAlignment, SharesTheTailAndKeepsThePrefix) {
    const PairCase& c = GetParam();
    NumberPair pair;
    pair.setNumbers(c.copied, c.dialed);
    EXPECT_STREQ(pair.copied.text(), c.copied);
    EXPECT_STREQ(pair.dialed.text(), c.dialed);
    EXPECT_EQ(pair.sharedDigits, c.sharedDigits);
    EXPECT_STREQ(pair.dialPrefix, c.dialPrefix);
    EXPECT_EQ(pair.isLearnable(), c.learnable);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, NumberPairAlignment,
    testing::Values(PairCase{"(412) 268-1234", "8-1234", 4, "8 ", true},
                    PairCase{"412-268-1234", "9-1-412-268-1234", 10, "9 1 ", true},
                    PairCase{"412-268-1234", "268 1234", 7, "", true},
                    PairCase{"412-268-1234", "555-0000", 0, "555 0000", false},
                    PairCase{"268-1234", "9 268 1234", 7, "9 ", true},
                    PairCase{"x1234", "1234", 4, "", true},
                    PairCase{"412 268 1234", "412 268 1234", 10, "", true},
                    PairCase{"412 268 1234", "9 234", 0, "9 234", false},
                    // Only whole groups of the copied number are kept.
                    PairCase{"412 268 1234", "81234", 4, "8", true},
                    PairCase{"4122681234", "8 1234", 0, "8 1234", false},
                    PairCase{"+44 20 7946 0000", "9 011 44 20 7946 0000", 10, "9 011 44 ", true},
                    PairCase{"412.268.1234", "4122681234", 10, "", true},
                    PairCase{"555 1234", "555 1299", 0, "555 1299", false}));

TEST(NumberPair, RefusedTextKeepsTheEarlierNumber) {
    NumberPair pair;
    pair.setNumbers("412-268-1234", "8-1234");
    pair.setNumbers("", "123456789012345678901234");
    EXPECT_STREQ(pair.copied.digitForm(), "412 268 1234");
    EXPECT_STREQ(pair.dialed.digitForm(), "8 1234");
    EXPECT_EQ(pair.sharedDigits, 4);
}

NumberPair pairOf(const char* copied, const char* dialed) {
    NumberPair pair;
    return pair.setNumbers(copied, dialed);
}

TEST(CompareRewriteKind, GroupsPairsOfTheSameShapeAndRewriting) {
    EXPECT_EQ(
        compareRewriteKind(pairOf("412 268 1234", "8 1234"), pairOf("650 555 9876", "8 9876")), 0);
    EXPECT_NE(
        compareRewriteKind(pairOf("412 268 1234", "8 1234"), pairOf("412 2681 234", "8 1234")), 0);
    // Longer copied numbers sort higher.
    EXPECT_GT(compareRewriteKind(pairOf("1 412 268 1234", "1234"), pairOf("412 268 1234", "1234")),
              0);
    // Same shape: the dial prefix decides, then the kept characters.
    EXPECT_GT(compareRewriteKind(pairOf("650 555 0000", "9 1 650 555 0000"),
                                 pairOf("412 268 1234", "8 1234")),
              0);
    EXPECT_LT(compareRewriteKind(pairOf("412 268 1234", "268 1234"),
                                 pairOf("412 268 1234", "412 268 1234")),
              0);
}

TEST(RewriteKindGreater, SortsDescending) {
    std::vector<NumberPair> pairs{pairOf("412 268 1234", "8 1234"),
                                  pairOf("650 555 0000", "9 1 650 555 0000"),
                                  pairOf("555 1212", "5 1212")};
    std::sort(pairs.begin(), pairs.end(), rewriteKindGreater);
    EXPECT_STREQ(pairs[0].copied.digitForm(), "650 555 0000");
    EXPECT_STREQ(pairs[1].copied.digitForm(), "412 268 1234");
    EXPECT_STREQ(pairs[2].copied.digitForm(), "555 1212");
    EXPECT_FALSE(rewriteKindGreater(pairs[0], pairs[0]));
}

} // namespace
} // namespace vellix
