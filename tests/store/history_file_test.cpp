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
    EXPECT_TRUE(writeHistory(stream, historyOf(history)));
    return stream.str();
}

PairList readFrom(const std::string& bytes, bool* everyLineRead = nullptr) {
    std::istringstream stream(bytes);
    DialingHistory history;
    const bool whole = readHistory(stream, history);
    if (everyLineRead != nullptr)
        *everyLineRead = whole;
    return pairsOf(history);
}

using DigitForms = std::vector<std::pair<std::string, std::string>>;

DigitForms digitFormsOf(const PairList& history) {
    DigitForms forms;
    for (const NumberPair& pair : history)
        forms.emplace_back(pair.copied.digitForm(), pair.dialed.digitForm());
    return forms;
}

// What every loaded pair must be, whatever the file held: two accepted numbers that could
// have been learned from, aligned as setNumbers aligns them.
void expectSoundPair(const NumberPair& pair) {
    EXPECT_TRUE(pair.isLearnable()) << pair.copied.text() << " -> " << pair.dialed.text();
    const std::size_t copiedLength = std::strlen(pair.copied.text());
    const std::size_t dialedLength = std::strlen(pair.dialed.text());
    EXPECT_TRUE(copiedLength >= 1 && copiedLength <= PhoneNumber::MAX_TEXT_LENGTH);
    EXPECT_TRUE(dialedLength >= 1 && dialedLength <= PhoneNumber::MAX_TEXT_LENGTH);
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
    bool everyLineRead;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class HistoryReading : public testing::TestWithParam<ReadCase> {};

TEST_P(HistoryReading, KeepsEveryReadableLine) {
    bool everyLineRead = false;
    const PairList history = readFrom(GetParam().bytes, &everyLineRead);
    EXPECT_EQ(digitFormsOf(history), GetParam().pairs);
    EXPECT_EQ(everyLineRead, GetParam().everyLineRead);
    for (const NumberPair& pair : history)
        expectSoundPair(pair);
}

const std::string LINE_555 = "555 1212  ->  5 1212\r\n";
const DigitForms PAIRS_555{{"555 1212", "5 1212"}};

INSTANTIATE_TEST_SUITE_P(
    Files, HistoryReading,
    testing::Values(
        ReadCase{"MixedLineEnds",
                 "412 268 1234  ->  8 1234\n555 1212  ->  5 1212\r650 555 0000  ->  5 0000\r\n"
                 "412 268 9999  ->  8 9999",
                 {{"412 268 1234", "8 1234"},
                  {"555 1212", "5 1212"},
                  {"650 555 0000", "5 0000"},
                  {"412 268 9999", "8 9999"}},
                 true},
        ReadCase{"CrOnlyLineEnds",
                 "1 555 0001  ->  5 0001\r1 555 0002  ->  5 0002\r1 555 0003  ->  5 0003\r"
                 "1 555 0004  ->  5 0004\r",
                 {{"1 555 0001", "5 0001"},
                  {"1 555 0002", "5 0002"},
                  {"1 555 0003", "5 0003"},
                  {"1 555 0004", "5 0004"}},
                 true},
        ReadCase{"DashesInTheNumbers",
                 "412-268-1234  ->  8 1234\r\n555-1212  ->  9-555-1212\r\n",
                 {{"412 268 1234", "8 1234"}, {"555 1212", "9 555 1212"}},
                 true},
        ReadCase{"ArrowWithOtherBlanks",
                 "412 268 1234->8 1234\r\n\t555 1212 ->\t5 1212 \r\n",
                 {{"412 268 1234", "8 1234"}, {"555 1212", "5 1212"}},
                 true},
        ReadCase{"BlankLinesAreNoDamage", "\r\n  \r\n" + LINE_555 + "\n\t\n", PAIRS_555, true},
        ReadCase{"CommentLineSkipsOnlyItself", "# office numbers\r\n" + LINE_555, PAIRS_555, false},
        ReadCase{"LongLinesSkipOnlyThemselves",
                 std::string(300, '5') + "  ->  5\r\n" + LINE_555 + std::string(5000, '-') +
                     "\r\n" + LINE_555,
                 {PAIRS_555[0], PAIRS_555[0]},
                 false},
        ReadCase{"UnlearnablePairsAreNotRead",
                 "Room 101  ->  8 1234\r\n911  ->  8 1234\r\n412 268 1234  ->  234\r\n" + LINE_555,
                 PAIRS_555, false},
        ReadCase{"MissingOrEmptyNumbersSkipOnlyThatLine",
                 "412 268 1234  ->  \r\n  ->  5 1212\r\nHello  ->  8 1234\r\n" + LINE_555,
                 PAIRS_555, false},
        ReadCase{"TwoArrowsSkipOnlyThatLine", "412 268 1234  ->  8 1234  ->  8\r\n" + LINE_555,
                 PAIRS_555, false},
        ReadCase{"TooLongNumberSkipsOnlyThatLine",
                 "123456789012345678901234  ->  1234\r\n" + LINE_555, PAIRS_555, false},
        ReadCase{"NulByteSkipsOnlyThatLine",
                 std::string("412 268") + '\0' + " 1234  ->  8 1234\r\n" + LINE_555, PAIRS_555,
                 false},
        ReadCase{"IdenticalLinesAreReadTwice",
                 EXAMPLE_LINE + EXAMPLE_LINE,
                 {{"412 268 1234", "8 1234"}, {"412 268 1234", "8 1234"}},
                 true}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(HistoryReading, ReadableLinesAroundRandomBytesAreKept) {
    const PairList history = readFrom(EXAMPLE_LINE + randomBytes(3 << 20, "") + "\n" + LINE_555);
    ASSERT_GE(history.size(), 2U);
    EXPECT_EQ(digitFormsOf({history.front(), history.back()}),
              (DigitForms{{"412 268 1234", "8 1234"}, PAIRS_555[0]}));
    for (const NumberPair& pair : history)
        expectSoundPair(pair);
}

TEST(HistoryReading, RandomRecordLikeBytesYieldOnlySoundPairs) {
    const PairList history = readFrom(
        randomPieces(1 << 18, {"412 ", "268-", "1234", "1234", "->", "  ->  ", " ", "\r\n", "\r",
                               "\n", "#", "x", std::string(1, '\0'), std::string(300, '5')}));
    EXPECT_FALSE(history.empty());
    for (const NumberPair& pair : history)
        expectSoundPair(pair);
}

using HistoryFile = ScratchDirectory;

TEST_F(HistoryFile, SavesTheExampleByteForByte) {
    ASSERT_TRUE(saveHistory(historyOf({pairOf("(412) 268-1234", "8-1234")})));
    EXPECT_EQ(readBytes(HISTORY_FILE), EXAMPLE_LINE);
    DialingHistory history = historyOf({pairOf("555 1212", "5 1212")});
    ASSERT_EQ(loadHistory(history), FileLoad::READ);
    ASSERT_EQ(history.size(), 2U);
    history.forget({true});
    ASSERT_TRUE(saveHistory(history));
    EXPECT_EQ(readBytes(HISTORY_FILE), EXAMPLE_LINE);
}

TEST_F(HistoryFile, NoFileLoadsNothingAndFails) {
    DialingHistory history = historyOf({pairOf("(412) 268-1234", "8-1234")});
    EXPECT_EQ(loadHistory(history), FileLoad::MISSING);
    EXPECT_EQ(history.size(), 1U);
}

TEST_F(HistoryFile, EmptyFileIsAHistoryOfItsOwn) {
    writeBytes(HISTORY_FILE, "");
    writeBytes(OLD_HISTORY_FILE, EXAMPLE_LINE);
    DialingHistory history;
    EXPECT_EQ(loadHistory(history), FileLoad::READ);
    EXPECT_TRUE(history.empty());
}

// A file that is there but cannot be opened (held by another program, or a link to
// nowhere) is no missing file: the older one does not stand in for it.
TEST_F(HistoryFile, AFileThereThatCannotBeOpenedIsUnreadable) {
    std::filesystem::create_symlink("nowhere/DialingHistory.dat", HISTORY_FILE);
    writeBytes(OLD_HISTORY_FILE, EXAMPLE_LINE);
    DialingHistory history;
    EXPECT_EQ(loadHistory(history), FileLoad::UNREADABLE);
    EXPECT_TRUE(history.empty());
}

TEST_F(HistoryFile, OlderNameIsReadButNeverWritten) {
    const std::string old = EXAMPLE_LINE + "555 1212  ->  5 1212\r\n";
    writeBytes(OLD_HISTORY_FILE, old);
    DialingHistory history;
    // Pairs dialed later must not start a newer file without these.
    ASSERT_EQ(loadHistory(history), FileLoad::READ_TO_REWRITE);
    ASSERT_EQ(history.size(), 2U);
    history.add(pairOf("650 555 0000", "5 0000"));
    ASSERT_TRUE(saveHistory(history));
    EXPECT_EQ(readBytes(HISTORY_FILE), old + "650 555 0000  ->  5 0000\r\n");
    EXPECT_EQ(readBytes(OLD_HISTORY_FILE), old);
}

TEST_F(HistoryFile, SavingAnEmptyHistoryLeavesAnEmptyFile) {
    writeBytes(HISTORY_FILE, EXAMPLE_LINE);
    ASSERT_TRUE(saveHistory(DialingHistory()));
    EXPECT_TRUE(std::filesystem::exists(HISTORY_FILE));
    EXPECT_EQ(readBytes(HISTORY_FILE), "");
}

// A dial adds its line; a line cut short by a crash is ended first so that the new one stays
// whole and both read back; a read-only file is left alone, and a link stays a link.
TEST_F(HistoryFile, AppendingAddsOneWholeLine) {
    const NumberPair pair = pairOf("(650) 555-0000", "9 1 650 555 0000");
    const std::string line = "650 555 0000  ->  9 1 650 555 0000\r\n";
    ASSERT_TRUE(appendToHistory(pair));
    EXPECT_EQ(readBytes(HISTORY_FILE), line);

    writeBytes(HISTORY_FILE, "412 268 1234  ->  8 1234");
    ASSERT_TRUE(appendToHistory(pair));
    EXPECT_EQ(readBytes(HISTORY_FILE), EXAMPLE_LINE + line);
    DialingHistory history;
    EXPECT_EQ(loadHistory(history), FileLoad::READ);
    EXPECT_EQ(history.size(), 2U);

    std::filesystem::permissions(HISTORY_FILE, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(appendToHistory(pair));
    EXPECT_EQ(readBytes(HISTORY_FILE), EXAMPLE_LINE + line);
    std::filesystem::permissions(HISTORY_FILE, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);

    std::filesystem::rename(HISTORY_FILE, "kept.dat");
    std::filesystem::create_symlink("kept.dat", HISTORY_FILE);
    ASSERT_TRUE(appendToHistory(pair));
    EXPECT_TRUE(std::filesystem::is_symlink(HISTORY_FILE));
    EXPECT_EQ(readBytes("kept.dat"), EXAMPLE_LINE + line + line);
}

} // namespace
} // namespace vellix
