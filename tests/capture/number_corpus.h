#pragma once

// Reads the labelled corpus of copied texts (data/number_corpus.txt; its head describes the
// format), shared by the finder's test and its benchmark, and the tables of written numbers
// (data/number_readings.txt, data/short_texts.txt).

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace vellix::corpus {

struct Expected {
    std::string label;
    std::int32_t kind;
    std::string text;
};

struct Case {
    std::string title;
    std::string text;
    std::vector<Expected> numbers;
};

// The no-break space is the single byte 0xA0 of the ANSI code page on the clipboard; a
// reader of UTF-8 asks for its two bytes instead.
constexpr const char* ANSI_NO_BREAK_SPACE = "\xA0";
constexpr const char* UTF8_NO_BREAK_SPACE = "\xC2\xA0";

inline std::string unescape(std::string line, const std::string& noBreakSpace) {
    for (const auto& [token, bytes] : {std::pair<std::string, std::string>{"{TAB}", "\t"},
                                       std::pair<std::string, std::string>{"{NBSP}", noBreakSpace},
                                       // The en and em dashes of the ANSI code page.
                                       std::pair<std::string, std::string>{"{ENDASH}", "\x96"},
                                       std::pair<std::string, std::string>{"{EMDASH}", "\x97"}}) {
        for (std::size_t at = line.find(token); at != std::string::npos;
             at = line.find(token, at + bytes.size()))
            line.replace(at, token.size(), bytes);
    }
    return line;
}

inline Expected parseExpected(const std::string& line, const std::string& noBreakSpace) {
    const std::size_t first = line.find(" | ");
    const std::size_t second = first == std::string::npos ? first : line.find(" | ", first + 3);
    if (second == std::string::npos)
        throw std::runtime_error("corpus: expected \"label | kind | text\": " + line);
    return {line.substr(0, first), std::stoi(line.substr(first + 3, second - first - 3)),
            unescape(line.substr(second + 3), noBreakSpace)};
}

inline std::vector<Case> load(const char* path,
                              const std::string& noBreakSpace = ANSI_NO_BREAK_SPACE) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(std::string("corpus: cannot open ") + path);
    std::vector<Case> cases;
    enum { OUTSIDE, TEXT, NUMBERS } part = OUTSIDE;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("=== ", 0) == 0) {
            cases.push_back({line.substr(4), "", {}});
            part = TEXT;
        } else if (part == TEXT && line == "---") {
            part = NUMBERS;
        } else if (part == TEXT) {
            if (!cases.back().text.empty())
                cases.back().text += "\r\n";
            cases.back().text += unescape(line, noBreakSpace);
        } else if (part == NUMBERS && !line.empty() && line[0] != '#' && line != "none") {
            cases.back().numbers.push_back(parseExpected(line, noBreakSpace));
        }
    }
    return cases;
}

// The rows of a table: one a line, fields apart by " | ", escapes replaced; lines starting
// with '#' and blank lines are comments.
inline std::vector<std::vector<std::string>> loadRows(const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(std::string("table: cannot open ") + path);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t bar; (bar = line.find(" | ", start)) != std::string::npos; start = bar + 3)
            fields.push_back(unescape(line.substr(start, bar - start), ANSI_NO_BREAK_SPACE));
        fields.push_back(unescape(line.substr(start), ANSI_NO_BREAK_SPACE));
        rows.push_back(fields);
    }
    return rows;
}

} // namespace vellix::corpus
