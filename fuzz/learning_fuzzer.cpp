// Rule learning over a fuzzed history file and rules file (the input split at its first
// NUL byte), checking what the learner promises: every history pair ends up in the support
// of exactly one working rule, and learning again from what the rules keep gives the same
// pairs back, none doubled or lost. Then the same with the history forgetting what the
// user's latest dials overruled: the pairs learned from are still each in one rule, and the
// history only ever loses pairs.

#include "fuzz_input.h"

#include "rules/forgetting.h"
#include "rules/rule_learning.h"
#include "store/history_file.h"
#include "store/rules_file.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

using vellix::fuzz::check;

namespace {

// The pairs as comparable texts, in an order of their own.
std::vector<std::string> sortedTexts(const vellix::PairList& pairs) {
    std::vector<std::string> texts;
    texts.reserve(pairs.size());
    for (const vellix::NumberPair& pair : pairs)
        texts.push_back(std::string(pair.copied.text()) + '\n' + pair.dialed.text());
    std::sort(texts.begin(), texts.end());
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Long histories only make each run slower, not the search better.
    if (size > 4096)
        return 0;
    const auto* bytes = reinterpret_cast<const char*>(data);
    const auto* split = static_cast<const char*>(std::memchr(bytes, '\0', size));
    const std::size_t historySize =
        split == nullptr ? size : static_cast<std::size_t>(split - bytes);
    std::istringstream historyFile(std::string(bytes, historySize));
    std::istringstream rulesFile(split == nullptr ? std::string()
                                                  : std::string(split + 1, bytes + size));
    vellix::DialingHistory read;
    vellix::readHistory(historyFile, read);
    const vellix::PairList history = vellix::pairsOf(read);
    vellix::RuleSet stored;
    vellix::readRules(rulesFile, stored);

    const vellix::RuleSet working = vellix::deriveWorkingRules(stored, history);
    const vellix::PairList explained = vellix::extractHistory(working);
    check(sortedTexts(explained) == sortedTexts(history));
    for (const vellix::DialingRule& rule : working) {
        check(!rule.isVerified() ||
              std::any_of(stored.begin(), stored.end(),
                          [&rule](const vellix::DialingRule& s) { return rule.samePattern(s); }));
        check(rule.isVerified() || !rule.support().empty());
    }

    const vellix::RuleSet again =
        vellix::deriveWorkingRules(vellix::extractStoredRules(working), explained);
    check(sortedTexts(vellix::extractHistory(again)) == sortedTexts(history));

    bool forgot = false;
    const vellix::RuleSet learned = vellix::learnWorkingRules(stored, read, forgot);
    check(sortedTexts(vellix::extractHistory(learned)) == sortedTexts(read.learningPairs()));
    check(forgot == (read.size() < history.size()));
    check(read.learningPairs().size() == read.learningPositions().size());
    return 0;
}
