#pragma once

// Reads the labelled corpus of copied texts (data/number_corpus.txt; its head describes the
// format), shared by the finder's test and its benchmark, and the tables of written numbers
// (data/number_readings.txt, data/short_texts.txt).

#include "capture/copied_text.h"
#include "capture/unicode_text.h"

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

// A text as the program reads a copy of it: its dashes and blanks folded, in UTF-8.
inline std::string folded(const std::string& text) {
    return foldCopiedText(toUtf16(text));
}

// The escapes stand for characters as UTF-8 writes them: the no-break space, en and em dash.
inline std::string unescape(std::string line) {
    for (const auto& [token, bytes] :
         {std::pair<std::string, std::string>{"{TAB}", "\t"},
          std::pair<std::string, std::string>{"{NBSP}", "\xC2\xA0"},
          std::pair<std::string, std::string>{"{ENDASH}", "\xE2\x80\x93"},
          std::pair<std::string, std::string>{"{EMDASH}", "\xE2\x80\x94"}}) {
        for (std::size_t at = line.find(token); at != std::string::npos;
             at = line.find(token, at + bytes.size()))
            line.replace(at, token.size(), bytes);
    }
    return line;
}

inline Expected parseExpected(const std::string& line) {
    const std::size_t first = line.find(" | ");
    const std::size_t second = first == std::string::npos ? first : line.find(" | ", first + 3);
    if (second == std::string::npos)
        throw std::runtime_error("corpus: expected \"label | kind | text\": " + line);
    return {line.substr(0, first), std::stoi(line.substr(first + 3, second - first - 3)),
            unescape(line.substr(second + 3))};
}

// The texts as written, in UTF-8; folded() makes them what the program reads.
inline std::vector<Case> load(const char* path) {
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
            cases.back().text += unescape(line);
        } else if (part == NUMBERS && !line.empty() && line[0] != '#' && line != "none") {
            cases.back().numbers.push_back(parseExpected(line));
        }
    }
    return cases;
}

// The rows of a table: one a line, fields apart by " | ", escapes replaced and folded as the
// program reads a copy; lines starting with '#' and blank lines are comments.
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
            fields.push_back(folded(unescape(line.substr(start, bar - start))));
        fields.push_back(folded(unescape(line.substr(start))));
        rows.push_back(fields);
    }
    return rows;
}

} // namespace vellix::corpus
