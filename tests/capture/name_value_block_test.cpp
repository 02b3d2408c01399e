#include "capture/name_value_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace vellix {
namespace {

using namespace std::string_literals;

// Hands the parser a heap buffer of exactly the block's size, so that AddressSanitizer
// reports any read past its end.
class Block {
public:
    explicit Block(const std::string& bytes)
        : size_(bytes.size()), data_(std::make_unique<char[]>(bytes.size())) {
        std::memcpy(data_.get(), bytes.data(), bytes.size());
    }
    std::vector<NameValuePair> parse() const {
        return parseNameValuePairs(data_.get(), static_cast<std::int32_t>(size_));
    }
    CapturedNumberList numbers() const {
        CapturedNumberList out;
        collectLabelledNumbers(parse(), out);
        return out;
    }

private:
    std::size_t size_;
    std::unique_ptr<char[]> data_;
};

struct Entry {
    std::string label;
    std::int32_t kind;
    std::string text;
};

std::vector<Entry> entries(const CapturedNumberList& list) {
    std::vector<Entry> result;
    for (const CapturedNumber& n : list)
        result.push_back({n.label(), n.kind(), n.number().text()});
    return result;
}

bool operator==(const Entry& a, const Entry& b) {
    return a.label == b.label && a.kind == b.kind && a.text == b.text;
}

void PrintTo(const Entry& e, std::ostream* os) {
    *os << "{" << e.label << ", " << e.kind << ", " << e.text << "}";
}

TEST(ParseNameValuePairs, PairsStringsInBlockOrder) {
    const Block block("Name\0Ann Lee\0Phone\0"
                      "412-268-1234\0"s);
    const auto pairs = block.parse();
    ASSERT_EQ(pairs.size(), 2U);
    EXPECT_STREQ(pairs[0].name, "Name");
    EXPECT_STREQ(pairs[0].value, "Ann Lee");
    EXPECT_STREQ(pairs[1].name, "Phone");
    EXPECT_STREQ(pairs[1].value, "412-268-1234");
}

TEST(ParseNameValuePairs, RefusesNullEmptyAndNegativeBlocks) {
    const char bytes[] = "Phone\0"
                         "555";
    EXPECT_TRUE(parseNameValuePairs(nullptr, 10).empty());
    EXPECT_TRUE(parseNameValuePairs(bytes, 0).empty());
    EXPECT_TRUE(parseNameValuePairs(bytes, -1).empty());
    EXPECT_TRUE(parseNameValuePairs(bytes, INT32_MIN).empty());
    EXPECT_TRUE(Block("Phone\0"s).parse().empty());
}

TEST(ParseNameValuePairs, NeverReadsPastTheBlock) {
    // The value's NUL lies outside the block: the unterminated string is dropped.
    EXPECT_TRUE(Block("Phone\0"
                      "412-268-1234"s)
                    .parse()
                    .empty());
    // No NUL at all.
    EXPECT_TRUE(Block(std::string(4096, 'A')).parse().empty());
    // A terminated pair survives an unterminated tail.
    const Block block("Phone\0"
                      "555-1212\0"
                      "Fax\0"
                      "555"s);
    const auto pairs = block.parse();
    ASSERT_EQ(pairs.size(), 1U);
    EXPECT_STREQ(pairs[0].value, "555-1212");
}

TEST(ParseNameValuePairs, ZeroPaddingFormsEmptyPairs) {
    const Block block("Phone\0"
                      "555-1212\0\0\0\0\0"s);
    const auto pairs = block.parse();
    ASSERT_EQ(pairs.size(), 3U);
    EXPECT_STREQ(pairs[2].name, "");
    EXPECT_STREQ(pairs[2].value, "");
}

TEST(FindValue, FoldsAsciiCaseAndTakesTheFirstOccurrence) {
    const Block block("PHONE\0first\0phone\0second\0Fax \0spaced\0"s);
    const auto pairs = block.parse();
    EXPECT_STREQ(findValue(pairs, "Phone"), "first");
    EXPECT_EQ(findValue(pairs, "Fax"), nullptr);
    EXPECT_EQ(findValue(pairs, "Phon"), nullptr);
    EXPECT_EQ(findValue({}, "Phone"), nullptr);
    // Only ASCII letters fold: a Latin-1 capital is not its small letter.
    const Block latin("Ph\xd6ne\0"
                      "1\0"s);
    EXPECT_EQ(findValue(latin.parse(), "Ph\xf6ne"), nullptr);
}

TEST(CollectLabelledNumbers, TakesLabelsAndOrderFromTheFieldTable) {
    EXPECT_EQ(entries(Block("Phone\0"
                            "412-268-1234\0"
                            "Fax\0"
                            "555-1212\0"s)
                          .numbers()),
              (std::vector<Entry>{{"Phone", 0, "412-268-1234"}, {"Fax", 0, "555-1212"}}));
    EXPECT_EQ(entries(Block("HOME PHONE\0"
                            "111\0"
                            "cell phone\0"
                            "222\0"s)
                          .numbers()),
              (std::vector<Entry>{{"Cell phone", 2, "222"}, {"Home phone", 1, "111"}}));
    EXPECT_EQ(entries(Block("Fax\0f\0Pager\0p\0Home phone\0h\0Cell phone\0c\0"
                            "Phone\0n\0Work phone\0w\0"s)
                          .numbers()),
              (std::vector<Entry>{{"Work phone", 0, "w"},
                                  {"Phone", 0, "n"},
                                  {"Cell phone", 2, "c"},
                                  {"Home phone", 1, "h"},
                                  {"Pager", 0, "p"},
                                  {"Fax", 0, "f"}}));
}

TEST(CollectLabelledNumbers, RepeatedNameCountsOnce) {
    EXPECT_EQ(entries(Block("Phone\0"
                            "111\0"
                            "Phone\0"
                            "222\0"s)
                          .numbers()),
              (std::vector<Entry>{{"Phone", 0, "111"}}));
}

TEST(CollectLabelledNumbers, IgnoresAStringWithoutPartner) {
    EXPECT_EQ(entries(Block("Phone\0"
                            "412-268-1234\0"
                            "Fax\0"s)
                          .numbers()),
              (std::vector<Entry>{{"Phone", 0, "412-268-1234"}}));
}

TEST(CollectLabelledNumbers, PaddingChangesNothing) {
    const std::string data = "Phone\0"
                             "412-268-1234\0"
                             "Fax\0"
                             "555-1212\0"s;
    EXPECT_EQ(entries(Block(data + std::string(64, '\0')).numbers()),
              entries(Block(data).numbers()));
    EXPECT_EQ(entries(Block(data + std::string(63, '\0')).numbers()),
              entries(Block(data).numbers()));
}

TEST(CollectLabelledNumbers, RefusedValuesAddNothing) {
    const std::string tooLong(24, '5');
    EXPECT_TRUE(Block("Phone\0\0"s).numbers().empty());
    EXPECT_TRUE(Block("Phone\0"s + tooLong + "\0"s).numbers().empty());
    EXPECT_EQ(entries(Block("Phone\0"s + tooLong +
                            "\0Fax\0"
                            "555\0"s)
                          .numbers()),
              (std::vector<Entry>{{"Fax", 0, "555"}}));
    const std::string longest(23, '5');
    EXPECT_EQ(entries(Block("Phone\0"s + longest + "\0"s).numbers()),
              (std::vector<Entry>{{"Phone", 0, longest}}));
}

TEST(CollectLabelledNumbers, UnrelatedNamesGiveNothing) {
    const Block block("Name\0"
                      "Ann Lee\0"
                      "Title\0"
                      "Engineer\0"
                      "Address\0"
                      "1 Main St\0"s);
    CapturedNumberList out;
    EXPECT_FALSE(collectLabelledNumbers(block.parse(), out));
    EXPECT_TRUE(out.empty());
}

TEST(CollectLabelledNumbers, AppendsToWhatTheListHolds) {
    const Block block("Pager\0"
                      "777\0"s);
    CapturedNumberList out{{"1", 0, "Default"}};
    EXPECT_TRUE(collectLabelledNumbers(block.parse(), out));
    EXPECT_EQ(entries(out), (std::vector<Entry>{{"Default", 0, "1"}, {"Pager", 0, "777"}}));
}

} // namespace
} // namespace vellix
