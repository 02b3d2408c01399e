#include "capture/digit_string.h"

#include <gtest/gtest.h>

#include <string>

namespace vellix {
namespace {

TEST(CharacterClasses, ClassifyBytesWithoutLocale) {
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const bool digit = byte >= '0' && byte <= '9';
        EXPECT_EQ(isDigit(c), digit) << byte;
        EXPECT_EQ(isKeypadChar(c), digit || c == '#' || c == '*') << byte;
        EXPECT_EQ(isDialable(c), isKeypadChar(c) || c == '+') << byte;
        EXPECT_EQ(isPatternChar(c), isDialable(c) || c == 'x') << byte;
        // No wildcard stands for the '+' of an international number.
        EXPECT_EQ(patternCharMatches('x', c), isPatternChar(c) && c != '+') << byte;
    }
    EXPECT_FALSE(isPatternChar('X'));
    EXPECT_FALSE(matchesPattern("xxx xx xxxx xxxx", "+44 20 7946 0000"));
    EXPECT_TRUE(matchesPattern("+xx xx xxxx xxxx", "+44 20 7946 0000"));
}

TEST(CountSharedDialableTail, CountsFromTheEndSkippingSeparators) {
    EXPECT_EQ(countSharedDialableTail("1 412 268 1234", "9 1 412 268 1234"), 11);
    EXPECT_EQ(countSharedDialableTail("412 268 1234", "8 1234"), 5);
    EXPECT_EQ(countSharedDialableTail("412 268 1234", "9 412 555 1234"), 4);
    EXPECT_EQ(countSharedDialableTail("412.268.1234", "4122681234"), 10);
    EXPECT_EQ(countSharedDialableTail("555 1234", "555 1299"), 0);
    EXPECT_EQ(countSharedDialableTail("12x34", "1234"), 4);
    EXPECT_EQ(countSharedDialableTail("1234", "1234"), 4);
    EXPECT_EQ(countSharedDialableTail("", "1234"), 0);
    EXPECT_EQ(countSharedDialableTail(nullptr, "1234"), 0);
    EXPECT_EQ(countSharedDialableTail("1234", nullptr), 0);
}

TEST(TailStart, FindsWhereTheLastPatternCharactersBegin) {
    EXPECT_EQ(tailStart("8 1234", 4), 2);
    EXPECT_EQ(tailStart("9 1 412 268 1234", 10), 4);
    EXPECT_EQ(tailStart("412", 5), -1);
    EXPECT_EQ(tailStart("412", 0), 3);
    EXPECT_EQ(tailStart("412", -2), 3);
    EXPECT_EQ(tailStart("412 xxxx", 5), 2);
    EXPECT_EQ(tailStart("", 1), -1);
    EXPECT_EQ(tailStart(nullptr, 0), -1);
}

TEST(TrimTrailingSeparators, CutsUpToTheLastPatternCharacter) {
    std::string s = "412-268-xxxx --  ";
    trimTrailingSeparators(s.data());
    EXPECT_STREQ(s.c_str(), "412-268-xxxx");
    std::string none = " -(";
    trimTrailingSeparators(none.data());
    EXPECT_STREQ(none.c_str(), "");
    std::string kept = "12#";
    trimTrailingSeparators(kept.data());
    EXPECT_STREQ(kept.c_str(), "12#");
}

TEST(PatternCharMatches, FollowsTheWildcardRules) {
    EXPECT_TRUE(patternCharMatches('x', '5'));
    EXPECT_TRUE(patternCharMatches('x', '#'));
    EXPECT_TRUE(patternCharMatches('x', 'x'));
    EXPECT_FALSE(patternCharMatches('x', ' '));
    EXPECT_TRUE(patternCharMatches('5', '5'));
    EXPECT_FALSE(patternCharMatches('5', '6'));
    EXPECT_FALSE(patternCharMatches('5', 'x'));
    EXPECT_TRUE(patternCharMatches(' ', '-'));
    EXPECT_FALSE(patternCharMatches(' ', '5'));
    EXPECT_FALSE(patternCharMatches('-', 'x'));
    EXPECT_TRUE(patternCharMatches('X', ' '));
}

TEST(MatchingTail, CountsPositionsAndPatternCharacters) {
    // Only the pattern's own characters count: a digit facing 'x' ends the tail.
    EXPECT_EQ(countMatchingTail("412 268 xxxx", "8 1234"), 0);
    EXPECT_EQ(countMatchingTail("xxx xxx xxxx", "8 xxxx"), 5);
    EXPECT_EQ(countMatchingTailPatternChars("xxx xxx xxxx", "8 xxxx"), 4);
    EXPECT_EQ(countMatchingTail("412-268-xxxx", "8-xxxx"), 6);
    EXPECT_EQ(countMatchingTailPatternChars("412-268-xxxx", "8-xxxx"), 5);
    EXPECT_EQ(countMatchingTail("xxx xxx xxxx", "9 1 xxx xxx xxxx"), 12);
    EXPECT_EQ(countMatchingTailPatternChars("xxx xxx xxxx", "9 1 xxx xxx xxxx"), 10);
    EXPECT_EQ(countMatchingTail("412 2680", "9"), 0);
    EXPECT_EQ(countMatchingTail("", "123"), 0);
    EXPECT_EQ(countMatchingTailPatternChars("", "123"), 0);
    EXPECT_EQ(countMatchingTailPatternChars("xxx xxxx", "411"), 0);
}

TEST(MatchesPattern, NeedsTheSameLengthAndShape) {
    EXPECT_TRUE(matchesPattern("412 268 xxxx", "412 268 1234"));
    EXPECT_FALSE(matchesPattern("412 268 xxxx", "412 268 123"));
    EXPECT_FALSE(matchesPattern("412 268 xxxx", "1 412 268 5555"));
    EXPECT_FALSE(matchesPattern("412 268 xxxx", "412 2685 555"));
    EXPECT_TRUE(matchesPattern("xxx xxxx", "555 1212"));
    EXPECT_TRUE(matchesPattern("xxx xxxx", "xx# *xxx"));
    EXPECT_TRUE(matchesPattern("", ""));
    EXPECT_FALSE(matchesPattern("", "1"));
    EXPECT_FALSE(matchesPattern("412", "41x"));
}

TEST(CountGroups, CountsRunsOfPatternCharacters) {
    EXPECT_EQ(countGroups("412 268 xxxx"), 3);
    EXPECT_EQ(countGroups(""), 0);
    EXPECT_EQ(countGroups("  1--2x  "), 2);
    EXPECT_EQ(countGroupsFromFirstWildcard("412 268 xxxx"), 1);
    EXPECT_EQ(countGroupsFromFirstWildcard("412 xxx xxxx"), 2);
    EXPECT_EQ(countGroupsFromFirstWildcard("412 26x xxxx"), 2);
    EXPECT_EQ(countGroupsFromFirstWildcard("xxx xxx xxxx"), 3);
    EXPECT_EQ(countGroupsFromFirstWildcard("412 268 1234"), 0);
    EXPECT_EQ(countGroupsFromFirstWildcard(""), 0);
}

TEST(CompareShape, OrdersByLengthThenSeparatorPositions) {
    EXPECT_EQ(compareShape("412 268", "999 111"), 0);
    EXPECT_EQ(compareShape("412 268", "1234 56"), -1);
    EXPECT_EQ(compareShape("1234 56", "412 268"), 1);
    EXPECT_EQ(compareShape("412", "41 2"), -1);
    EXPECT_EQ(compareShape("412 xxxx", "xxx 1234"), 0);
    EXPECT_EQ(compareShape("", ""), 0);
}

} // namespace
} // namespace vellix
