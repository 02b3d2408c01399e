#pragma once

// Reads the labelled corpus of copied texts (data/number_corpus.txt; its head describes the
// format). Shared by the finder's test and its benchmark.

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

inline std::string unescape(std::string line) {
    for (const auto& [token, byte] : {std::pair<std::string, char>{"{TAB}", '\t'},
                                      std::pair<std::string, char>{"{NBSP}", '\xA0'}}) {
        for (std::size_t at = line.find(token); at != std::string::npos;
             at = line.find(token, at + 1))
            line.replace(at, token.size(), 1, byte);
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

} // namespace vellix::corpus
