#include "rules/rule_learning.h"

#include "capture/digit_string.h"
#include "rules/pair_order.h"
#include "rules/shadow_index.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <numeric>
#include <utility>

// Every sort here is stable. Where the order of ties reaches the result (which stored rule
// claims a pair, the order of support pairs and so of the history file, which of two equal
// patterns is kept) it is then the same on every platform.

namespace vellix {

namespace {

// Puts pairs[order[i]] at position i, moving each pair once.
void permute(PairList& pairs, std::vector<std::size_t> order) {
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start] == start)
            continue;
        NumberPair first = pairs[start];
        std::size_t to = start;
        while (order[to] != start) {
            const std::size_t from = order[to];
            pairs[to] = pairs[from];
            order[to] = to;
            to = from;
        }
        pairs[to] = first;
        order[to] = to;
    }
}

// The rule dials the pair's copied number as the string that was dialed for it.
bool explains(const DialingRule& rule, const NumberPair& pair) {
    if (!rule.matches(pair.copied.digitForm()))
        return false;
    const std::optional<PhoneNumber> dialed = rule.apply(pair.copied);
    return dialed && std::strcmp(dialed->digitForm(), pair.dialed.digitForm()) == 0;
}

} // namespace

void claimPairs(RuleSet& storedRules, PairList& history) {
    for (DialingRule& rule : storedRules)
        rule.clearSupport();
    // Without support the most general pattern comes first and claims first.
    std::stable_sort(storedRules.begin(), storedRules.end(), rankKeyGreater);
    for (DialingRule& rule : storedRules) {
        // One pass: claimed pairs leave, the rest close up in their order.
        std::size_t remaining = 0;
        for (std::size_t i = 0; i < history.size(); ++i) {
            if (explains(rule, history[i])) {
                rule.addSupport(history[i]);
                continue;
            }
            if (remaining != i)
                history[remaining] = history[i];
            ++remaining;
        }
        history.resize(remaining);
    }
}

RuleSet groupHistory(PairList& history) {
    RuleSet candidates;
    permute(history, rewriteKindOrder(history));
    for (std::size_t first = 0; first < history.size();) {
        std::size_t end = first + 1;
        while (end < history.size() && compareRewriteKind(history[end], history[end - 1]) == 0)
            ++end;
        DialingRule candidate = DialingRule::fromPair(history[first]);
        candidate.reserveSupport(end - first);
        for (std::size_t i = first + 1; i < end; ++i)
            candidate.addSupport(history[i]);
        candidates.push_back(std::move(candidate));
        first = end;
    }
    return candidates;
}

std::vector<RuleSet> bucketByShape(RuleSet rules) {
    std::stable_sort(rules.begin(), rules.end(), shapeGreater);
    std::vector<RuleSet> buckets;
    for (DialingRule& rule : rules) {
        if (buckets.empty() ||
            compareShape(buckets.back().front().patternText(), rule.patternText()) != 0)
            buckets.emplace_back();
        buckets.back().push_back(std::move(rule));
    }
    return buckets;
}

void seedCatchAll(RuleSet& bucket) {
    std::stable_sort(bucket.begin(), bucket.end(), rankKeyGreater);
    if (bucket.empty() || bucket.front().literalGroups() <= bucket.front().fixedGroups())
        return;
    const auto learned = std::find_if(bucket.begin(), bucket.end(),
                                      [](const DialingRule& rule) { return !rule.isVerified(); });
    if (learned != bucket.end())
        learned->generalizeFully();
}

void resolveDuplicatePatterns(RuleSet& bucket) {
    if (bucket.size() < 2)
        return;
    std::stable_sort(bucket.begin(), bucket.end(), precedesForDeduplication);

    // The rules still to visit, and the parts of split rules appended after them. Instead of
    // sorting again after every split, a heap over their positions hands out the rule that
    // would stand last after a stable sort: the greatest, and of equals the one added last.
    RuleSet pending = std::move(bucket);
    const auto before = [&pending](std::size_t a, std::size_t b) {
        if (precedesForDeduplication(pending[a], pending[b]))
            return true;
        if (precedesForDeduplication(pending[b], pending[a]))
            return false;
        return a < b;
    };
    std::vector<std::size_t> heap(pending.size());
    std::iota(heap.begin(), heap.end(), std::size_t{0});
    std::make_heap(heap.begin(), heap.end(), before);

    RuleSet kept;
    kept.reserve(pending.size());
    while (!heap.empty()) {
        std::pop_heap(heap.begin(), heap.end(), before);
        const std::size_t next = heap.back();
        heap.pop_back();
        DialingRule& rule = pending[next];
        if (kept.empty() || !rule.samePattern(kept.back()) || rule.isVerified() ||
            rule.support().size() < 2) {
            kept.push_back(std::move(rule));
            continue;
        }
        // The rule gives way to its parts, which carry all its pairs.
        RuleSet parts = splitRule(rule);
        rule = DialingRule{};
        for (DialingRule& part : parts) {
            pending.push_back(std::move(part));
            heap.push_back(pending.size() - 1);
            std::push_heap(heap.begin(), heap.end(), before);
        }
    }
    bucket = std::move(kept);
}

void switchOffShadowed(RuleSet& bucket) {
    // The index reads the enabled flags as they are switched off here.
    const ShadowIndex index(bucket);
    for (DialingRule& rule : bucket) {
        if (rule.isEnabled() && !rule.isVerified() &&
            index.covered(rule.patternText(), rule.support().size()))
            rule.setEnabled(false);
    }
}

void widenRules(RuleSet& bucket) {
    std::stable_sort(bucket.begin(), bucket.end(), rankKeyGreater);
    for (DialingRule& rule : bucket) {
        while (!rule.isVerified() && canGeneralize(rule, bucket))
            rule.generalizeOneGroup();
    }
}

RuleSet splitRule(const DialingRule& rule) {
    const PairList& support = rule.support();
    if (support.size() < 2)
        return RuleSet{rule};
    const std::int32_t wildcardGroups = rule.rankKey().wildcardGroups;
    const std::vector<std::size_t> order = copiedDescendingOrder(support);
    const int groups = countGroups(support[order.front()].copied.digitForm());

    // Neighbours in that order that share one group more than the literal part stay together.
    RuleSet parts;
    for (std::size_t first = 0; first < order.size();) {
        std::size_t end = first + 1;
        while (end < order.size() && countSharedLeadingGroups(support[order[end]].copied,
                                                              support[order[end - 1]].copied) +
                                             wildcardGroups - 1 >=
                                         groups)
            ++end;
        DialingRule part = DialingRule::fromPair(support[order[first]]);
        part.reserveSupport(end - first);
        for (std::size_t k = first + 1; k < end; ++k)
            part.addSupport(support[order[k]]);
        part.generalizeToSupport();
        parts.push_back(std::move(part));
        first = end;
    }
    return parts;
}

bool canGeneralize(const DialingRule& rule, const RuleSet& bucket) {
    if (rule.literalGroups() <= rule.fixedGroups())
        return false;
    // The widened rule differs from this one only in its pattern, so it is judged by that
    // pattern without copying the support.
    char wider[DialingRule::CAPACITY];
    rule.widenedPattern(wider);
    if (patternTaken(wider, bucket))
        return false;
    return !(rule.isEnabled() && !rule.isVerified() &&
             coveredByMoreGeneral(wider, rule.support().size(), bucket));
}

RuleSet deriveWorkingRules(RuleSet storedRules, PairList history) {
    claimPairs(storedRules, history);
    RuleSet candidates = groupHistory(history);
    // Every pair now lives on in a rule's support; a long history need not be held twice
    // while the rules are worked on.
    history = PairList();
    for (DialingRule& candidate : candidates)
        candidate.generalizeToSupport();

    RuleSet combined = std::move(storedRules);
    combined.insert(combined.end(), std::make_move_iterator(candidates.begin()),
                    std::make_move_iterator(candidates.end()));

    std::vector<RuleSet> buckets = bucketByShape(std::move(combined));
    std::size_t rules = 0;
    for (const RuleSet& bucket : buckets)
        rules += bucket.size();
    RuleSet working;
    working.reserve(rules);
    for (RuleSet& bucket : buckets) {
        seedCatchAll(bucket);
        resolveDuplicatePatterns(bucket);
        switchOffShadowed(bucket);
        widenRules(bucket);
        std::move(bucket.begin(), bucket.end(), std::back_inserter(working));
    }
    return working;
}

PairList extractHistory(const RuleSet& rules) {
    std::size_t total = 0;
    for (const DialingRule& rule : rules)
        total += rule.support().size();
    PairList history;
    history.reserve(total);
    for (const DialingRule& rule : rules)
        history.insert(history.end(), rule.support().begin(), rule.support().end());
    return history;
}

} // namespace vellix
