#include "rules/forgetting.h"

#include "rules/rule_learning.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace vellix {

namespace {

struct Outcome {
    std::size_t position;
    bool explained;
};

std::string pairKey(const NumberPair& pair) {
    return std::string(pair.copied.digitForm()) + '\n' + pair.dialed.digitForm();
}

bool explains(const DialingRule& rule, const NumberPair& pair) {
    const std::optional<PhoneNumber> dialed = rule.apply(pair.copied);
    return dialed && std::strcmp(dialed->digitForm(), pair.dialed.digitForm()) == 0;
}

// What a rule learned from: the copied number of its first pair, and whether other numbers
// follow it.
struct Evidence {
    std::string number;
    bool severalNumbers = false;
};

Evidence evidenceOf(const DialingRule& rule) {
    Evidence evidence;
    for (const NumberPair& pair : rule.support()) {
        if (evidence.number.empty()) {
            evidence.number = pair.copied.digitForm();
        } else if (evidence.number != pair.copied.digitForm()) {
            evidence.severalNumbers = true;
            break;
        }
    }
    return evidence;
}

// The first enabled rule in application order that matches the number; with otherNumbers,
// the first such rule learned from some other number than this one.
const DialingRule* firstMatching(const std::vector<const DialingRule*>& ordered,
                                 const std::vector<Evidence>& evidence, const RuleSet& working,
                                 const char* digitForm, bool otherNumbers) {
    for (const DialingRule* rule : ordered) {
        if (!rule->isEnabled() || !rule->matches(digitForm))
            continue;
        const Evidence& learned = evidence[static_cast<std::size_t>(rule - working.data())];
        if (!otherNumbers || learned.severalNumbers ||
            (!learned.number.empty() && learned.number != digitForm))
            return rule;
    }
    return nullptr;
}

} // namespace

std::vector<bool> overruledPairs(const DialingHistory& history, const RuleSet& working) {
    std::vector<const DialingRule*> ordered;
    ordered.reserve(working.size());
    for (const DialingRule& rule : working)
        ordered.push_back(&rule);
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [](const DialingRule* a, const DialingRule* b) { return appliesBefore(*a, *b); });

    std::vector<Evidence> evidence;
    evidence.reserve(working.size());
    for (const DialingRule& rule : working)
        evidence.push_back(evidenceOf(rule));

    // Per rule, the dials it was responsible for, in the order they were dialed.
    std::vector<std::vector<Outcome>> outcomes(working.size());
    // A rule learned from one number speaks for that number alone: its latest dials count,
    // whatever they were. Against a rule of several numbers only a number dialed a new way
    // counts: a contact always dialed with *67 in front is no news, again and again.
    const auto record = [&working, &outcomes, &evidence](const DialingRule* rule,
                                                         const char* number, bool newWay,
                                                         Outcome outcome) {
        if (rule->isVerified())
            return;
        const auto r = static_cast<std::size_t>(rule - working.data());
        if (evidence[r].severalNumbers ? outcome.explained || newWay : evidence[r].number == number)
            outcomes[r].push_back(outcome);
    };
    std::unordered_set<std::string> dialedBefore;
    const PairList& pairs = history.learningPairs();
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const NumberPair& pair = pairs[i];
        const std::size_t position = history.learningPositions()[i];
        const bool newWay = dialedBefore.insert(pairKey(pair)).second;
        const char* number = pair.copied.digitForm();
        const DialingRule* first = firstMatching(ordered, evidence, working, number, false);
        const DialingRule* general = firstMatching(ordered, evidence, working, number, true);
        if (first == nullptr)
            continue;
        record(first, number, newWay, {position, explains(*first, pair)});
        if (general != nullptr && general != first)
            record(general, number, newWay, {position, explains(*general, pair)});
    }

    std::vector<bool> dropped;
    for (std::size_t r = 0; r < working.size(); ++r) {
        const DialingRule& rule = working[r];
        const std::vector<Outcome>& seen = outcomes[r];
        const auto needed = static_cast<std::size_t>(
            evidence[r].severalNumbers
                ? OVERRULING_DIALS
                : std::min<std::int64_t>(OVERRULING_DIALS,
                                         static_cast<std::int64_t>(rule.support().size())));
        if (needed == 0 || seen.size() < needed ||
            std::any_of(seen.end() - static_cast<std::ptrdiff_t>(needed), seen.end(),
                        [](const Outcome& o) { return o.explained; }))
            continue;
        const std::size_t overruledAt = seen[seen.size() - needed].position;
        std::vector<std::uint32_t> kinds;
        for (const NumberPair& pair : rule.support()) {
            const std::optional<std::uint32_t> kind = history.kindOf(pair);
            if (kind && std::find(kinds.begin(), kinds.end(), *kind) == kinds.end())
                kinds.push_back(*kind);
        }
        dropped.resize(history.size());
        for (std::size_t p = 0; p < overruledAt; ++p) {
            const DialingHistory::Entry& entry = history[p];
            if (std::find(kinds.begin(), kinds.end(), entry.kind) != kinds.end() &&
                rule.matches(entry.copied))
                dropped[p] = true;
        }
    }
    return dropped;
}

RuleSet learnWorkingRules(const RuleSet& storedRules, DialingHistory& history, bool& forgot) {
    RuleSet working = deriveWorkingRules(storedRules, history.learningPairs());
    const std::vector<bool> dropped = overruledPairs(history, working);
    forgot = std::find(dropped.begin(), dropped.end(), true) != dropped.end();
    if (!forgot)
        return working;
    history.forget(dropped);
    return deriveWorkingRules(storedRules, history.learningPairs());
}

bool forgetDroppedPairs(DialingHistory& history, const RuleSet& before, const RuleSet& after) {
    std::unordered_map<std::string, int> kept;
    for (const DialingRule& rule : after) {
        for (const NumberPair& pair : rule.support())
            ++kept[pairKey(pair)];
    }
    std::unordered_map<std::string, const DialingRule*> holders;
    for (const DialingRule& rule : before) {
        for (const NumberPair& pair : rule.support())
            holders.emplace(pairKey(pair), &rule);
    }
    // The kinds of the dropped pairs, each with the rule that held them.
    std::vector<std::pair<std::uint32_t, const DialingRule*>> gone;
    std::vector<bool> dropped(history.size());
    std::vector<bool> seen(history.size());
    const PairList& pairs = history.learningPairs();
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const std::size_t position = history.learningPositions()[i];
        seen[position] = true;
        const std::string key = pairKey(pairs[i]);
        const auto held = kept.find(key);
        if (held != kept.end() && held->second > 0) {
            --held->second;
            continue;
        }
        dropped[position] = true;
        const auto holder = holders.find(key);
        const std::pair<std::uint32_t, const DialingRule*> kindInRule{
            history[position].kind, holder != holders.end() ? holder->second : nullptr};
        if (kindInRule.second != nullptr &&
            std::find(gone.begin(), gone.end(), kindInRule) == gone.end())
            gone.push_back(kindInRule);
    }
    bool forgot = std::find(dropped.begin(), dropped.end(), true) != dropped.end();
    for (std::size_t p = 0; p < history.size() && !gone.empty(); ++p) {
        const DialingHistory::Entry& entry = history[p];
        if (seen[p])
            continue;
        for (const auto& [kind, rule] : gone) {
            if (entry.kind == kind && rule->matches(entry.copied)) {
                dropped[p] = true;
                forgot = true;
                break;
            }
        }
    }
    if (forgot)
        history.forget(dropped);
    return forgot;
}

} // namespace vellix
