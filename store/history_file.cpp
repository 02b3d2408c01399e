#include "store/history_file.h"

#include "store/field_reader.h"
#include "store/file_replace.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <fstream>
#include <istream>
#include <ostream>

namespace vellix {

namespace {

constexpr const char* ARROW = "  ->  ";
constexpr const char* LINE_END = "\r\n";

void put(std::ostream& stream, const char* text) {
    stream.write(text, static_cast<std::streamsize>(std::strlen(text)));
}

// The arrow's blanks end up in the fields around it: two after the copied number, one
// before the dialed number. They are not part of the numbers, and counting them would
// push a 22- or 23-character digit form past the longest accepted text.
void dropTrailingArrowBlanks(char* copied) {
    std::size_t length = std::strlen(copied);
    for (int blanks = 0; blanks < 2 && length > 0 && copied[length - 1] == ' '; ++blanks)
        copied[--length] = '\0';
}

// What PhoneNumber::setText takes: 1 to 23 characters.
bool acceptedText(const char* text) {
    const std::size_t length = std::strlen(text);
    return length > 0 && length <= PhoneNumber::MAX_TEXT_LENGTH;
}

const char* afterLeadingArrowBlank(const char* dialed) {
    return dialed[0] == ' ' ? dialed + 1 : dialed;
}

// Line feeds in the rest of the file; the stream is left where it was.
std::size_t countLineFeeds(std::ifstream& file) {
    const std::streampos start = file.tellg();
    std::size_t lines = 0;
    char block[1 << 14];
    while (file.read(block, sizeof block) || file.gcount() > 0) {
        const char* const end = block + file.gcount();
        for (const char* p = block; (p = static_cast<const char*>(std::memchr(
                                         p, '\n', static_cast<std::size_t>(end - p)))) != nullptr;
             ++p)
            ++lines;
    }
    file.clear();
    file.seekg(start);
    return lines;
}

// Room for every pair of the file before reading it, so that a long history is read without
// the list moving its pairs again and again as it grows. Every pair but the last ends in a
// line feed, and no line this program writes is shorter than "1  ->  1" and CR LF: the
// lesser bound fits the files it writes exactly and keeps a damaged file from asking for
// much more. The room is only a hint: when it cannot be had, the list grows as it goes.
void reserveForFile(std::ifstream& file, PairList& history) {
    constexpr std::size_t SHORTEST_LINE = 10;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    file.seekg(0, std::ios::beg);
    if (size <= 0 || !file.good()) {
        file.clear();
        file.seekg(0, std::ios::beg);
        return;
    }
    const std::size_t pairs =
        std::min(countLineFeeds(file), static_cast<std::size_t>(size) / SHORTEST_LINE) + 1;
    try {
        history.reserve(history.size() + pairs);
    } catch (const std::exception&) {
        // std::bad_alloc or std::length_error: the list is unchanged.
    }
}

bool readFile(const char* name, PairList& history) {
    std::ifstream file(name, std::ios::binary);
    if (!file.is_open())
        return false;
    reserveForFile(file, history);
    readHistory(file, history);
    return true;
}

} // namespace

bool writeHistory(std::ostream& stream, const PairList& history) {
    for (const NumberPair& pair : history) {
        put(stream, pair.copied.digitForm());
        put(stream, ARROW);
        put(stream, pair.dialed.digitForm());
        put(stream, LINE_END);
    }
    return stream.good();
}

bool readHistory(std::istream& stream, PairList& history) {
    FieldReader reader(stream);
    FieldReader::Field copied;
    FieldReader::Field dialed;
    while (!reader.done()) {
        // A line without '-' runs on into the next line's copied number.
        reader.read('-', copied);
        if (copied[0] == '\0')
            continue;
        reader.skip(' ');
        reader.read('\n', dialed);
        if (dialed[0] == '\0')
            continue;
        dropTrailingArrowBlanks(copied);
        const char* dialedText = afterLeadingArrowBlank(dialed);
        if (!acceptedText(copied) || !acceptedText(dialedText))
            continue;
        // Built in its place in the list: a pair is large, and long histories are read at
        // start-up while the user waits.
        NumberPair& pair = history.emplace_back();
        pair.setNumbers(copied, dialedText);
        if (pair.copied.digitForm()[0] == '\0' || pair.dialed.digitForm()[0] == '\0')
            history.pop_back();
    }
    return true;
}

bool saveHistory(const PairList& history) {
    return replaceFile(HISTORY_FILE,
                       [&history](std::ostream& stream) { return writeHistory(stream, history); });
}

bool loadHistory(PairList& history) {
    // The older name only counts when the newer file cannot be opened at all; an empty
    // newer file is a history of its own.
    return readFile(HISTORY_FILE, history) || readFile(OLD_HISTORY_FILE, history);
}

} // namespace vellix
