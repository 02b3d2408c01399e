// The rules reader over untrusted files: what it reads round-trips, and a damaged line never
// takes a readable one with it.

#include "fuzz_input.h"

#include "store/rules_file.h"

#include <cstring>
#include <sstream>
#include <string>

using vellix::fuzz::check;

namespace {

const std::string READABLE = "Dial 412 268 xxxx as 8 xxxx (inactive)";

// The same as the user sees it: pattern, replacement and state.
bool sameRules(const vellix::DialingRule& a, const vellix::DialingRule& b) {
    char before[vellix::DialingRule::REPLACEMENT_CAPACITY];
    char after[vellix::DialingRule::REPLACEMENT_CAPACITY];
    a.replacementText(before, sizeof before);
    b.replacementText(after, sizeof after);
    return std::strcmp(a.patternText(), b.patternText()) == 0 && std::strcmp(before, after) == 0 &&
           a.isEnabled() == b.isEnabled();
}

bool read(const std::string& bytes, vellix::RuleSet& rules) {
    std::istringstream file(bytes);
    return vellix::readRules(file, rules);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    vellix::RuleSet rules;
    const bool everyLineRead = read(input, rules);
    for (const vellix::DialingRule& rule : rules)
        check(rule.isVerified() && rule.support().empty());

    // A rule read back from its own line rewrites the same way and keeps its state.
    std::ostringstream saved;
    check(vellix::writeRules(saved, rules));
    vellix::RuleSet reread;
    check(read(saved.str(), reread));
    check(reread.size() == rules.size());
    for (std::size_t i = 0; i < rules.size(); ++i)
        check(sameRules(reread[i], rules[i]));

    // Readable lines before and after the input are read whatever the input holds.
    vellix::RuleSet framed;
    check(read(READABLE + "\n" + input + "\n" + READABLE, framed) == everyLineRead);
    check(framed.size() == rules.size() + 2);
    check(sameRules(framed.front(), framed.back()) &&
          std::strcmp(framed.front().patternText(), "412 268 xxxx") == 0);
    for (std::size_t i = 0; i < rules.size(); ++i)
        check(sameRules(framed[i + 1], rules[i]));
    return 0;
}
