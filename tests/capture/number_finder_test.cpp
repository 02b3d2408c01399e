#include "capture/copied_text.h"
#include "capture/number_finder.h"

#include "number_corpus.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace vellix {
namespace {

// A heap copy of exactly the text's bytes, without a NUL, so that AddressSanitizer reports
// a read past the end.
CapturedNumberList findIn(const std::string& text) {
    const auto bytes = std::make_unique<char[]>(text.size());
    std::memcpy(bytes.get(), text.data(), text.size());
    CapturedNumberList found;
    const bool appended = findNumbers(bytes.get(), text.size(), found);
    EXPECT_EQ(appended, !found.empty());
    return found;
}

std::string describe(const CapturedNumberList& numbers) {
    std::ostringstream out;
    for (const CapturedNumber& n : numbers)
        out << "  " << n.label() << " | " << n.kind() << " | " << n.number().text() << "\n";
    return numbers.empty() ? "  none\n" : out.str();
}

std::string describe(const std::vector<corpus::Expected>& numbers) {
    std::ostringstream out;
    for (const corpus::Expected& n : numbers)
        out << "  " << n.label << " | " << n.kind << " | " << n.text << "\n";
    return numbers.empty() ? "  none\n" : out.str();
}

bool same(const CapturedNumberList& found, const std::vector<corpus::Expected>& expected) {
    if (found.size() != expected.size())
        return false;
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (found[i].label() != expected[i].label || found[i].kind() != expected[i].kind ||
            found[i].number().text() != expected[i].text)
            return false;
    }
    return true;
}

TEST(FindNumbers, YieldsWhatEveryCorpusTextHolds) {
    const std::vector<corpus::Case> cases = corpus::load(VELLIX_NUMBER_CORPUS);
    std::size_t withoutNumbers = 0;
    for (const corpus::Case& c : cases) {
        withoutNumbers += c.numbers.empty() ? 1 : 0;
        const CapturedNumberList found = findIn(c.text);
        EXPECT_TRUE(same(found, c.numbers)) << c.title << "\nexpected:\n"
                                            << describe(c.numbers) << "actual:\n"
                                            << describe(found);
    }
    EXPECT_GE(cases.size(), 150U);
    EXPECT_GE(withoutNumbers * 3, cases.size());
}

TEST(FindNumbers, SearchesOnlyInsideTheTextAndItsFirst64KiB) {
    const std::string number = "Call 412-268-1234";
    const std::string padding(SEARCHED_TEXT_LIMIT - number.size(), ' ');
    EXPECT_EQ(findIn(padding + number).size(), 1U);
    EXPECT_TRUE(findIn(padding + std::string(number.size(), ' ') + number).empty());
    // The first NUL ends the text; a size shorter than the text ends it too.
    EXPECT_TRUE(findIn(std::string("Call me\0 412-268-1234", 21)).empty());
    CapturedNumberList found;
    EXPECT_FALSE(findNumbers("Call 412-268-1234", 12, found));
    EXPECT_FALSE(findNumbers(nullptr, 100, found));
}

TEST(FindNumbers, KeepsTheFirst32DistinctNumbers) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "412-555-" + std::to_string(1000 + i) + "\n412-555-1000\n";
    const CapturedNumberList found = findIn(text);
    ASSERT_EQ(found.size(), MAX_FOUND_NUMBERS);
    EXPECT_STREQ(found[31].number().text(), "412-555-1031");
}

TEST(FindNumbers, SkipsANumberWhoseTextIsTooLongForOne) {
    EXPECT_TRUE(findIn("Phone: +420 (0)  12 34 56 78 901 today").empty());
}

TEST(ReadCopiedText, TakesShortTextsWholeAndSearchesLongerOnes) {
    struct Row {
        std::string text;
        bool findInText;
        std::vector<std::string> numbers;
    };
    const std::vector<Row> rows{
        {"412-268-1234", true, {"412-268-1234"}},
        {"Room 12", false, {"Room 12"}},
        {"Hello", true, {}},
        {"   ", false, {}},
        {"", true, {}},
        {"Call Dana at 412-268-1234, Lee at 412-555-0199", true, {"412-268-1234", "412-555-0199"}},
        {"Call Dana at 412-268-1234, Lee at 412-555-0199", false, {}},
        {"A longer text without any number at all", true, {}},
    };
    for (const Row& row : rows) {
        const auto bytes = std::make_unique<char[]>(row.text.size() + 1);
        std::memcpy(bytes.get(), row.text.data(), row.text.size());
        CapturedNumberList found;
        EXPECT_EQ(readCopiedText(bytes.get(), row.text.size(), row.findInText, found),
                  !row.numbers.empty())
            << row.text;
        std::vector<std::string> texts;
        for (const CapturedNumber& n : found) {
            texts.emplace_back(n.number().text());
            EXPECT_STREQ(n.label(), "Default");
        }
        EXPECT_EQ(texts, row.numbers) << row.text;
    }
}

} // namespace
} // namespace vellix
