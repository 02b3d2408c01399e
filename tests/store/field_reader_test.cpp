#include "store/field_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace vellix {
namespace {

// Reads fields delimited by the given bytes in turn until the reader is done.
std::vector<std::string> fieldsOf(const std::string& bytes, const std::string& delimiters) {
    std::istringstream stream(bytes);
    FieldReader reader(stream);
    std::vector<std::string> fields;
    for (std::size_t i = 0; !reader.done(); ++i) {
        FieldReader::Field field;
        reader.read(delimiters[i % delimiters.size()], field);
        fields.emplace_back(field);
    }
    return fields;
}

struct FieldCase {
    const char* name;
    std::string bytes;
    std::string delimiters;
    std::vector<std::string> fields;
};

void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.name;
}

class FieldReading : public testing::TestWithParam<FieldCase> {};

TEST_P(FieldReading, SplitsAtTheDelimiters) {
    EXPECT_EQ(fieldsOf(GetParam().bytes, GetParam().delimiters), GetParam().fields);
}

const std::string FIELD_255(255, '7');

INSTANTIATE_TEST_SUITE_P(
    Bytes, FieldReading,
    testing::Values(
        FieldCase{
            "EndOfStreamAfterTheLastDelimiterGivesAnEmptyField", "a-b\n", "-\n", {"a", "b", ""}},
        FieldCase{"LastFieldWithoutDelimiter", "a-b", "-\n", {"a", "b"}},
        FieldCase{"CrLfReadsAsLf", "a\r\nb\r\n", "\n", {"a", "b", ""}},
        FieldCase{"OnlyOneCrBeforeLfIsDropped", "a\r\r\nb", "\n", {"a\r", "b"}},
        FieldCase{"LoneCrIsAnOrdinaryByte", "a\rb\n", "\n", {"a\rb", ""}},
        FieldCase{"CrAtTheEndStays", "a\r", "\n", {"a\r"}},
        FieldCase{"CrLfFoldsBeforeACrDelimiterCheck", "a\r\nb", "\r", {"a\nb"}},
        FieldCase{"EmptyFields", "--x", "-", {"", "", "x"}},
        FieldCase{"NulEndsTheStringButNotTheField", std::string("ab\0cd-e", 7), "-", {"ab", "e"}},
        FieldCase{"HighBytesAreOrdinary", "\xff\x80-\xfe", "-", {"\xff\x80", "\xfe"}},
        FieldCase{"FieldOfTheLongestLengthIsRead", FIELD_255 + "-z", "-", {FIELD_255, "z"}},
        FieldCase{"LongerFieldStopsTheReader", "a-" + FIELD_255 + "8-z", "-", {"a", FIELD_255}},
        FieldCase{"LongestFieldAtTheEndOfTheStream", FIELD_255, "-", {FIELD_255}},
        FieldCase{"EmptyStream", "", "-", {""}}),
    [](const testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

TEST(FieldReader, TooLongFieldLeavesTheStreamFailed) {
    std::istringstream stream(FIELD_255 + "89-");
    FieldReader reader(stream);
    FieldReader::Field field;
    reader.read('-', field);
    EXPECT_TRUE(reader.done());
    EXPECT_TRUE(stream.fail());
    EXPECT_EQ(std::string(field), FIELD_255);
}

TEST(FieldReader, EndOfStreamSetsEof) {
    std::istringstream stream("abc");
    FieldReader reader(stream);
    reader.skip('-');
    EXPECT_TRUE(reader.done());
    EXPECT_TRUE(stream.eof());
    EXPECT_FALSE(stream.fail());
}

TEST(FieldReader, FailedStreamIsDoneAtOnce) {
    std::istringstream stream("a-b");
    stream.setstate(std::ios::failbit);
    FieldReader reader(stream);
    EXPECT_TRUE(reader.done());
    FieldReader::Field field;
    reader.read('-', field);
    EXPECT_STREQ(field, "");
}

} // namespace
} // namespace vellix
