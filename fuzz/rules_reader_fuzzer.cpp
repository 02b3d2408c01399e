// The rules reader over untrusted files, and the round trip of what it reads.

#include "fuzz_input.h"

#include "store/rules_file.h"

#include <cstring>
#include <sstream>
#include <string>

using vellix::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    vellix::RuleSet rules;
    check(vellix::readRules(file, rules));
    for (const vellix::DialingRule& rule : rules)
        check(rule.isVerified() && rule.support().empty());

    // A rule read back from its own line rewrites the same way and keeps its state.
    std::ostringstream saved;
    check(vellix::writeRules(saved, rules));
    std::istringstream again(saved.str());
    vellix::RuleSet reread;
    vellix::readRules(again, reread);
    check(reread.size() == rules.size());
    for (std::size_t i = 0; i < rules.size(); ++i) {
        check(std::strcmp(reread[i].patternText(), rules[i].patternText()) == 0);
        check(reread[i].isEnabled() == rules[i].isEnabled());
        char before[vellix::DialingRule::REPLACEMENT_CAPACITY];
        char after[vellix::DialingRule::REPLACEMENT_CAPACITY];
        rules[i].replacementText(before, sizeof before);
        reread[i].replacementText(after, sizeof after);
        check(std::strcmp(before, after) == 0);
    }
    return 0;
}
