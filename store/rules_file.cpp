#include "store/rules_file.h"

#include "capture/digit_string.h"
#include "store/file_replace.h"
#include "store/line_reader.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace vellix {

namespace {

void put(std::ostream& stream, const char* text) {
    stream.write(text, static_cast<std::streamsize>(std::strlen(text)));
}

constexpr std::string_view KEYWORD = "Dial";
constexpr std::size_t FIELD_CAPACITY = LineReader::MAX_LINE_LENGTH + 1;
constexpr std::string_view JOINER = " as ";

// The state words the program writes; no other word is a state.
constexpr std::string_view ACTIVE = "active";
constexpr std::string_view INACTIVE = "inactive";

// Copies a text of the line, without the blanks around it, into a NUL-terminated text;
// false when nothing is left.
bool takeRuleText(std::string_view part, char (&text)[FIELD_CAPACITY]) {
    part = trimBlanks(part);
    part.copy(text, part.size());
    text[part.size()] = '\0';
    return text[0] != '\0';
}

// The rule of one line, "Dial <pattern> as <replacement> (<state>)", blanks around the words
// read leniently. The pattern ends at the first joiner, and the state is the word in the last
// parentheses, so a replacement may hold parentheses of its own.
std::optional<DialingRule> readRule(std::string_view line) {
    line = trimBlanks(line);
    if (line.substr(0, KEYWORD.size()) != KEYWORD)
        return std::nullopt;
    line.remove_prefix(KEYWORD.size());
    // The keyword is a word of its own, and the state ends the line.
    if (line.empty() || (line[0] != ' ' && line[0] != '\t') || line.back() != ')')
        return std::nullopt;
    const std::size_t joiner = line.find(JOINER);
    if (joiner == std::string_view::npos)
        return std::nullopt;
    const std::size_t replacementStart = joiner + JOINER.size();
    const std::size_t open = line.rfind('(');
    if (open == std::string_view::npos || open < replacementStart)
        return std::nullopt;
    const std::string_view state = line.substr(open + 1, line.size() - open - 2);
    if (state != ACTIVE && state != INACTIVE)
        return std::nullopt;
    char pattern[FIELD_CAPACITY];
    char replacement[FIELD_CAPACITY];
    if (!takeRuleText(trimBlanks(line.substr(0, joiner)), pattern) ||
        !takeRuleText(trimBlanks(line.substr(replacementStart, open - replacementStart)),
                      replacement))
        return std::nullopt;
    // An edited line whose texts do not fit a rule yields none.
    return DialingRule::fromText(pattern, replacement, state == ACTIVE, true);
}

bool readsWhole(std::istream& stream) {
    return readEveryLine(stream,
                         [](const std::string& line) { return readRule(line).has_value(); });
}

} // namespace

bool writeRules(std::ostream& stream, const RuleSet& rules) {
    for (const DialingRule& rule : rules) {
        char replacement[DialingRule::REPLACEMENT_CAPACITY] = {};
        rule.replacementText(replacement, sizeof replacement);
        put(stream, "Dial ");
        put(stream, rule.patternText());
        put(stream, " as ");
        put(stream, replacement);
        put(stream, rule.isEnabled() ? " (active)\r\n" : " (inactive)\r\n");
    }
    return stream.good();
}

bool readRules(std::istream& stream, RuleSet& rules) {
    return readEveryLine(stream, [&rules](const std::string& line) {
        auto rule = readRule(line);
        if (rule)
            rules.push_back(std::move(*rule));
        return rule.has_value();
    });
}

bool saveRules(const RuleSet& rules) {
    return replaceEditedFile(RULES_FILE, readsWhole,
                             [&rules](std::ostream& stream) { return writeRules(stream, rules); });
}

FileLoad loadRules(RuleSet& rules) {
    std::ifstream file(RULES_FILE, std::ios::binary);
    if (!file.is_open())
        return unopenedFile(RULES_FILE);
    readRules(file, rules);
    return FileLoad::READ;
}

} // namespace vellix
