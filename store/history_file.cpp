#include "store/history_file.h"

#include "store/file_replace.h"
#include "store/line_reader.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace vellix {

namespace {

constexpr const char* ARROW = "  ->  ";
constexpr const char* ARROW_HEAD = "->";
constexpr const char* LINE_END = "\r\n";

void put(std::ostream& stream, const char* text) {
    stream.write(text, static_cast<std::streamsize>(std::strlen(text)));
}

// Copies a part of a line into a NUL-terminated text; false when it is empty or longer than
// PhoneNumber::setText takes (1 to 23 characters).
bool takeNumberText(std::string_view part, char (&text)[PhoneNumber::MAX_TEXT_LENGTH + 1]) {
    if (part.empty() || part.size() > PhoneNumber::MAX_TEXT_LENGTH)
        return false;
    part.copy(text, part.size());
    text[part.size()] = '\0';
    return true;
}

// The pair of one line: the copied number, the arrow and the dialed number. The numbers may
// hold hyphens, so the line is split at its one arrow, with any blanks around it. A pair
// that could not have been learned from is refused too: learning must not see it, and a
// learnable pair has dialable characters on both sides.
bool readPair(std::string_view line, NumberPair& pair) {
    const std::size_t arrow = line.find(ARROW_HEAD);
    if (arrow == std::string_view::npos ||
        line.find(ARROW_HEAD, arrow + 1) != std::string_view::npos)
        return false;
    char copied[PhoneNumber::MAX_TEXT_LENGTH + 1];
    char dialed[PhoneNumber::MAX_TEXT_LENGTH + 1];
    if (!takeNumberText(trimBlanks(line.substr(0, arrow)), copied) ||
        !takeNumberText(trimBlanks(line.substr(arrow + std::strlen(ARROW_HEAD))), dialed))
        return false;
    return pair.setNumbers(copied, dialed).isLearnable();
}

bool readsWhole(std::istream& stream) {
    NumberPair pair;
    return readEveryLine(stream, [&pair](const std::string& line) { return readPair(line, pair); });
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
void reserveForFile(std::ifstream& file, DialingHistory& history) {
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
        history.reserve(pairs);
    } catch (const std::exception&) {
        // std::bad_alloc or std::length_error: the list is unchanged.
    }
}

// READ_TO_REWRITE for a file with lines that were passed over.
std::optional<FileLoad> readFile(const char* name, DialingHistory& history) {
    std::ifstream file(name, std::ios::binary);
    if (!file.is_open())
        return std::nullopt;
    reserveForFile(file, history);
    return readHistory(file, history) ? FileLoad::READ : FileLoad::READ_TO_REWRITE;
}

} // namespace

bool writeHistory(std::ostream& stream, const DialingHistory& history) {
    for (std::size_t i = 0; i < history.size(); ++i) {
        put(stream, history[i].copied);
        put(stream, ARROW);
        put(stream, history[i].dialed);
        put(stream, LINE_END);
    }
    return stream.good();
}

bool readHistory(std::istream& stream, DialingHistory& history) {
    NumberPair pair;
    return readEveryLine(stream, [&history, &pair](const std::string& line) {
        return readPair(line, pair) && history.add(pair);
    });
}

bool appendToHistory(const NumberPair& pair) {
    std::string line = pair.copied.digitForm();
    line += ARROW;
    line += pair.dialed.digitForm();
    line += LINE_END;
    return appendToFile(HISTORY_FILE, line);
}

bool saveHistory(const DialingHistory& history) {
    return replaceEditedFile(HISTORY_FILE, readsWhole, [&history](std::ostream& stream) {
        return writeHistory(stream, history);
    });
}

FileLoad loadHistory(DialingHistory& history) {
    // The older name only counts when the newer file is missing; an empty newer file is a
    // history of its own.
    if (const std::optional<FileLoad> read = readFile(HISTORY_FILE, history))
        return *read;
    const FileLoad newer = unopenedFile(HISTORY_FILE);
    if (newer != FileLoad::MISSING)
        return newer;
    // Pairs added later go to the newer file, which must hold these first.
    return readFile(OLD_HISTORY_FILE, history) ? FileLoad::READ_TO_REWRITE
                                               : unopenedFile(OLD_HISTORY_FILE);
}

} // namespace vellix
