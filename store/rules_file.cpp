#include "store/rules_file.h"

#include "capture/digit_string.h"
#include "store/field_reader.h"
#include "store/file_replace.h"

#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>

namespace vellix {

namespace {

void put(std::ostream& stream, const char* text) {
    stream.write(text, static_cast<std::streamsize>(std::strlen(text)));
}

// "active" is enabled and "inactive" is not; any shorter word reads as the former.
constexpr std::size_t SHORTEST_DISABLED_STATE = 8;

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
    FieldReader reader(stream);
    FieldReader::Field pattern;
    FieldReader::Field replacement;
    FieldReader::Field state;
    while (!reader.done()) {
        // Whatever stands before the keyword, a blank line say, is passed over.
        reader.skip('D');
        reader.skip(' ');
        reader.read('a', pattern);
        if (pattern[0] == '\0')
            continue;
        reader.skip(' ');
        reader.read('(', replacement);
        if (replacement[0] == '\0')
            continue;
        // Drops the blanks before " as " and before the state.
        trimTrailingSeparators(pattern);
        trimTrailingSeparators(replacement);
        reader.read(')', state);
        const bool enabled = std::strlen(state) < SHORTEST_DISABLED_STATE;
        reader.skip('\n');
        if (pattern[0] == '\0' || replacement[0] == '\0')
            continue;
        // Texts this program never writes, which a save could not write back as they are:
        // the replacement repeats the pattern's tail, and a '(' in it would end the
        // replacement early, so the rule would come back cut short with its state lost; and
        // a rule is one line, whose CR LF pairs the reader folds into line feeds.
        if (std::strchr(pattern, '(') != nullptr || std::strpbrk(pattern, "\r\n") != nullptr ||
            std::strpbrk(replacement, "\r\n") != nullptr)
            continue;
        // An edited line whose texts do not fit a rule yields none.
        if (auto rule = DialingRule::fromText(pattern, replacement, enabled, true))
            rules.push_back(*rule);
    }
    return true;
}

bool saveRules(const RuleSet& rules) {
    return replaceFile(RULES_FILE,
                       [&rules](std::ostream& stream) { return writeRules(stream, rules); });
}

bool loadRules(RuleSet& rules) {
    std::ifstream file(RULES_FILE, std::ios::binary);
    if (!file.is_open())
        return false;
    readRules(file, rules);
    return true;
}

} // namespace vellix
