#include "store/history_file.h"

#include "random_bytes.h"
#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vellix {
namespace {

const std::string EXAMPLE_LINE = "412 268 1234  ->  8 1234\r\n";

NumberPair pairOf(const char* copied, const char* dialed) {
    NumberPair pair;
    return pair.setNumbers(copied, dialed);
}

std::string written(const PairList& history) {
    std::ostringstream stream;
    EXPECT_TRUE(writeHistory(stream, history));
    return stream.str();
}

PairList readFrom(const std::string& bytes) {
    std::istringstream stream(bytes);
    PairList history;
    EXPECT_TRUE(readHistory(stream, history));
    return history;
}

using DigitForms = std::vector<std::pair<std::string, std::string>>;

DigitForms digitFormsOf(const PairList& history) {
    DigitForms forms;
    for (const NumberPair& pair : history)
        forms.emplace_back(pair.copied.digitForm(), pair.dialed.digitForm());
    return forms;
}

// What every loaded pair must be, whatever the file held: two accepted numbers with
// dialable characters, aligned as setNumbers aligns them.
void expectSoundPair(const NumberPair& pair) {
    const std::size_t copiedLength = std::strlen(pair.copied.text());
    const std::size_t dialedLength = std::strlen(pair.dialed.text());
    EXPECT_TRUE(copiedLength >= 1 && copiedLength <= PhoneNumber::MAX_TEXT_LENGTH);
    EXPECT_TRUE(dialedLength >= 1 && dialedLength <= PhoneNumber::MAX_TEXT_LENGTH);
    EXPECT_STRNE(pair.copied.digitForm(), "");
    EXPECT_STRNE(pair.dialed.digitForm(), "");
    const NumberPair again = pairOf(pair.copied.text(), pair.dialed.text());
    EXPECT_STREQ(again.copied.digitForm(), pair.copied.digitForm());
    EXPECT_STREQ(again.dialed.digitForm(), pair.dialed.digitForm());
    EXPECT_STREQ(again.dialPrefix, pair.dialPrefix);
    EXPECT_EQ(again.sharedDigits, pair.sharedDigits);
}

TEST(HistoryFormat, WritesTheExampleAsTwentySixBytes) {
    const std::string bytes = written({pairOf("(412) 268-1234", "8-1234")});
    EXPECT_EQ(bytes, EXAMPLE_LINE);
    EXPECT_EQ(bytes.size(), 26U);
}

struct RoundTripCase {
    const char* copied;
    const char* dialed;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << '"' << c.copied << "\" -> \"" << c.dialed << '"';
}

class HistoryRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(HistoryRoundTrip, ReadsBackWhatWasWritten) {
    const NumberPair saved = pairOf(GetParam().copied, GetParam().dialed);
    const std::string bytes = written({saved, saved});
    const PairList history = readFrom(bytes);
    ASSERT_EQ(history.size(), 2U);
    for (const NumberPair& pair : history) {
        EXPECT_STREQ(pair.copied.digitForm(), saved.copied.digitForm());
        EXPECT_STREQ(pair.dialed.digitForm(), saved.dialed.digitForm());
        EXPECT_STREQ(pair.copied.text(), saved.copied.digitForm());
        EXPECT_STREQ(pair.dialed.text(), saved.dialed.digitForm());
        EXPECT_STREQ(pair.dialPrefix, saved.dialPrefix);
        EXPECT_EQ(pair.sharedDigits, saved.sharedDigits);
    }
    EXPECT_EQ(written(history), bytes);
}

// The longest digit forms are 22 and 23 characters: with the arrow's blanks counted
// into them they would not fit a number's text.
INSTANTIATE_TEST_SUITE_P(
    Pairs, HistoryRoundTrip,
    testing::Values(RoundTripCase{"(412) 268-1234", "8-1234"},
                    RoundTripCase{"412-268-1234", "9-1-412-268-1234"},
                    RoundTripCase{"*67 555-1212#", "*67 5551212#"},
                    RoundTripCase{"1 2 3 4 5 6 7 8 9 0 1 2", "9 0 1 2"},
                    RoundTripCase{"12 3 4 5 6 7 8 9 0 1 2", "8 9 0 1 2"},
                    RoundTripCase{"412 268 1234", "1 2 3 4 5 6 7 8 1 2 3 4"},
                    RoundTripCase{"412 268 1234", "12 3 4 5 6 7 8 1 2 3 4"},
                    RoundTripCase{"12345678901234567890123", "12345678901234567890123"},
                    RoundTripCase{"1 2 3 4 5 6 7 8 9 0 1 2", "1 2 3 4 5 6 7 8 9 0 1 2"}));

struct ReadCase {
    const char* name;
    std::string bytes;
    DigitForms pairs;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class HistoryReading : public testing::TestWithParam<ReadCase> {};

TEST_P(HistoryReading, KeepsTheValidRecords) {
    const PairList history = readFrom(GetParam().bytes);
    EXPECT_EQ(digitFormsOf(history), GetParam().pairs);
    for (const NumberPair& pair : history)
        expectSoundPair(pair);
}

const std::string LONG_RUN(256, '5');
const std::string FIELD_255(255, '5');

INSTANTIATE_TEST_SUITE_P(
    Files, HistoryReading,
    testing::Values(
        ReadCase{"BareLineFeeds",
                 "412 268 1234  ->  8 1234\n555 1212  ->  5 1212\n",
                 {{"412 268 1234", "8 1234"}, {"555 1212", "5 1212"}}},
        ReadCase{"LastLineWithoutLineEnd",
                 "412 268 1234  ->  8 1234\r\n555 1212  ->  5 1212",
                 {{"412 268 1234", "8 1234"}, {"555 1212", "5 1212"}}},
        ReadCase{"EmptyDialedPartSkipsOnlyThatLine",
                 "412 268 1234  ->  \r\n555 1212  ->  5 1212\r\n",
                 {{"555 1212", "5 1212"}}},
        ReadCase{"EmptyCopiedDigitForm",
                 "Hello  ->  8 1234\r\n  ->  5 1212\r\n555 1212  ->  5 1212\r\n",
                 {{"555 1212", "5 1212"}}},
        ReadCase{"BlankLineJoinsTheNextRecord",
                 "\r\n412 268 1234  ->  8 1234\r\n",
                 {{"412 268 1234", "8 1234"}}},
        ReadCase{"LineWithoutHyphenRunsIntoTheNext",
                 "555 1212\r\n412 268 1234  ->  8 1234\r\n",
                 {{"555 1212 412 268 1234", "8 1234"}}},
        ReadCase{"ArrowWithoutBlanks",
                 "412 268 1234->8 1234\r\n555 1212 -> 5 1212\r\n",
                 {{"412 268 1234", "1234"}, {"555 1212", "5 1212"}}},
        ReadCase{
            "LoneCrIsASeparator", "412\r268 1234  ->  8\r1234\r\n", {{"412 268 1234", "8 1234"}}},
        ReadCase{"NulBytesCutTheField",
                 std::string("412 268\0 9999  ->  8 1234\r\n555\0 1212  ->  5\0 1212\r\n", 47),
                 {{"412 268", "8 1234"}, {"555", "5"}}},
        ReadCase{"TooLongNumberSkipsOnlyThatLine",
                 "123456789012345678901234  ->  1234\r\n555 1212  ->  5 1212\r\n",
                 {{"555 1212", "5 1212"}}},
        ReadCase{"FieldOfTheLongestLengthIsConsumed",
                 FIELD_255 + "-> 1212\r\n555 1212  ->  5 1212\r\n",
                 {{"555 1212", "5 1212"}}},
        ReadCase{"LongerRunWithoutHyphenEndsTheReading",
                 "555 1212  ->  5 1212\r\n" + LONG_RUN + "  ->  1\r\n412 268 1234  ->  8 1234\r\n",
                 {{"555 1212", "5 1212"}}},
        ReadCase{"LongerDialedFieldEndsTheReading",
                 "555 1212  ->  5 1212\r\n1  ->  " + LONG_RUN + "\r\n412 268 1234  ->  8 1234\r\n",
                 {{"555 1212", "5 1212"}}},
        ReadCase{"IdenticalLinesAreReadTwice",
                 EXAMPLE_LINE + EXAMPLE_LINE,
                 {{"412 268 1234", "8 1234"}, {"412 268 1234", "8 1234"}}}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(HistoryReading, RandomBytesAfterValidRecordsKeepThem) {
    const std::string valid = EXAMPLE_LINE + "555 1212  ->  5 1212\r\n";
    const PairList history = readFrom(valid + randomBytes(3 << 20, ""));
    ASSERT_GE(history.size(), 2U);
    EXPECT_EQ(digitFormsOf({history[0], history[1]}),
              (DigitForms{{"412 268 1234", "8 1234"}, {"555 1212", "5 1212"}}));
    for (const NumberPair& pair : history)
        expectSoundPair(pair);
}

TEST(HistoryReading, RandomRecordLikeBytesYieldOnlySoundPairs) {
    const std::string alphabet = std::string("0123456789#*x -> \r\n\r\n\n\n---") + '\0';
    const PairList history = readFrom(randomBytes(2 << 20, alphabet));
    EXPECT_FALSE(history.empty());
    for (const NumberPair& pair : history)
        expectSoundPair(pair);
}

using HistoryFile = ScratchDirectory;

TEST_F(HistoryFile, SavesTheExampleByteForByte) {
    ASSERT_TRUE(saveHistory({pairOf("(412) 268-1234", "8-1234")}));
    EXPECT_EQ(readBytes(HISTORY_FILE), EXAMPLE_LINE);
    PairList history{pairOf("555 1212", "5 1212")};
    ASSERT_TRUE(loadHistory(history));
    ASSERT_EQ(history.size(), 2U);
    history.erase(history.begin());
    ASSERT_TRUE(saveHistory(history));
    EXPECT_EQ(readBytes(HISTORY_FILE), EXAMPLE_LINE);
}

TEST_F(HistoryFile, NoFileLoadsNothingAndFails) {
    PairList history{pairOf("(412) 268-1234", "8-1234")};
    EXPECT_FALSE(loadHistory(history));
    EXPECT_EQ(history.size(), 1U);
}

TEST_F(HistoryFile, EmptyFileIsAHistoryOfItsOwn) {
    writeBytes(HISTORY_FILE, "");
    writeBytes(OLD_HISTORY_FILE, EXAMPLE_LINE);
    PairList history;
    EXPECT_TRUE(loadHistory(history));
    EXPECT_TRUE(history.empty());
}

TEST_F(HistoryFile, OlderNameIsReadButNeverWritten) {
    const std::string old = EXAMPLE_LINE + "555 1212  ->  5 1212\r\n";
    writeBytes(OLD_HISTORY_FILE, old);
    PairList history;
    ASSERT_TRUE(loadHistory(history));
    ASSERT_EQ(history.size(), 2U);
    history.push_back(pairOf("650 555 0000", "5 0000"));
    ASSERT_TRUE(saveHistory(history));
    EXPECT_EQ(readBytes(HISTORY_FILE), old + "650 555 0000  ->  5 0000\r\n");
    EXPECT_EQ(readBytes(OLD_HISTORY_FILE), old);
}

TEST_F(HistoryFile, SavingAnEmptyHistoryLeavesAnEmptyFile) {
    writeBytes(HISTORY_FILE, EXAMPLE_LINE);
    ASSERT_TRUE(saveHistory({}));
    EXPECT_TRUE(std::filesystem::exists(HISTORY_FILE));
    EXPECT_EQ(readBytes(HISTORY_FILE), "");
}

} // namespace
} // namespace vellix
