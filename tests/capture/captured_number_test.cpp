#include "capture/captured_number.h"

#include <gtest/gtest.h>

#include <string>

namespace vellix {
namespace {

TEST(CapturedNumber, KeepsLabelKindAndNumber) {
    const CapturedNumber entry("412-268-1234", KIND_CELL, "Cell phone");
    EXPECT_STREQ(entry.label(), "Cell phone");
    EXPECT_EQ(entry.kind(), KIND_CELL);
    EXPECT_STREQ(entry.number().text(), "412-268-1234");
    EXPECT_STREQ(entry.number().digitForm(), "412 268 1234");
}

TEST(CapturedNumber, NullLabelReadsDefault) {
    const CapturedNumber entry("555-1212", KIND_GENERAL, nullptr);
    EXPECT_STREQ(entry.label(), "Default");
}

TEST(CapturedNumber, RefusedTextLeavesTheNumberEmpty) {
    const std::string tooLong(30, '5');
    const CapturedNumber entry(tooLong.c_str(), KIND_GENERAL, "Phone");
    EXPECT_STREQ(entry.number().text(), "");
    const CapturedNumber copy = entry;
    EXPECT_STREQ(copy.number().text(), "");
    EXPECT_STREQ(copy.number().digitForm(), "");
    EXPECT_STREQ(copy.label(), "Phone");
}

TEST(CapturedNumber, CutsALabelTooLongForItsField) {
    const std::string label(300, 'L');
    const CapturedNumber entry("1", KIND_GENERAL, label.c_str());
    EXPECT_EQ(std::string(entry.label()), label.substr(0, 127));
    // 42 characters of three bytes and one more fill 129 bytes: the cut keeps 42 whole ones.
    std::string japanese;
    for (int i = 0; i < 43; ++i)
        japanese += "\u96FB";
    EXPECT_EQ(std::string(CapturedNumber("1", KIND_GENERAL, japanese.c_str()).label()),
              japanese.substr(0, 126));
}

TEST(CapturedNumberList, ReplacingTheListDropsTheOldEntries) {
    CapturedNumberList current{{"1", KIND_GENERAL, "Phone"}, {"2", KIND_HOME, "Home phone"}};
    const CapturedNumberList fresh{{"3", KIND_CELL, "Cell phone"}};
    current = fresh;
    ASSERT_EQ(current.size(), 1U);
    EXPECT_STREQ(current[0].label(), "Cell phone");
}

} // namespace
} // namespace vellix
