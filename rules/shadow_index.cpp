#include "rules/shadow_index.h"

#include "capture/digit_string.h"

#include <algorithm>
#include <cstring>

namespace vellix {

namespace {

// Pattern characters as 'x' and separators as spaces: equal for strings of one shape. A
// '+' stays, since no wildcard stands for it.
std::string shapeOf(const char* s) {
    std::string shape(s);
    for (char& c : shape) {
        if (c != INTERNATIONAL_PREFIX)
            c = isPatternChar(c) ? WILDCARD : ' ';
    }
    return shape;
}

// Any separator matches any other, so patterns are compared with spaces for separators.
std::string withSpaces(const char* s) {
    std::string spaced(s);
    for (char& c : spaced) {
        if (!isPatternChar(c))
            c = ' ';
    }
    return spaced;
}

// Leading groups of s without a wildcard.
int literalLead(const char* s) {
    int lead = 0;
    for (const char* p = s;;) {
        while (*p != '\0' && !isPatternChar(*p))
            ++p;
        if (*p == '\0')
            return lead;
        bool wild = false;
        for (; isPatternChar(*p); ++p)
            wild = wild || *p == WILDCARD;
        if (wild)
            return lead;
        ++lead;
    }
}

// Whether p has the learned form: separators are spaces, each group is all dialable or all
// wildcards, and no dialable group follows a wildcard group.
bool isLearnedForm(const std::string& p) {
    bool wildGroupSeen = false;
    std::size_t i = 0;
    while (i < p.size()) {
        if (!isPatternChar(p[i])) {
            if (p[i] != ' ')
                return false;
            ++i;
            continue;
        }
        const bool wild = p[i] == WILDCARD;
        for (; i < p.size() && isPatternChar(p[i]); ++i) {
            if ((p[i] == WILDCARD) != wild)
                return false;
        }
        if (!wild && wildGroupSeen)
            return false;
        wildGroupSeen = wildGroupSeen || wild;
    }
    return true;
}

// s with spaces for separators and wildcards for the dialable characters of every group from
// group `keep` (counted from 0) on.
std::string widening(const char* s, int keep) {
    std::string wider = withSpaces(s);
    int group = -1;
    bool inGroup = false;
    for (char& c : wider) {
        if (c == ' ') {
            inGroup = false;
            continue;
        }
        if (!inGroup)
            ++group;
        inGroup = true;
        if (group >= keep && c != INTERNATIONAL_PREFIX)
            c = WILDCARD;
    }
    return wider;
}

// The first `lead` groups of s with the separators among them, then the shape of s: strings
// with equal keys are matched alike by a learned-form pattern with `lead` literal groups.
std::string leadKey(const char* s, int lead) {
    std::size_t end = 0;
    int groups = 0;
    const std::size_t length = std::strlen(s);
    while (groups < lead && end < length) {
        while (end < length && !isPatternChar(s[end]))
            ++end;
        while (end < length && isPatternChar(s[end]))
            ++end;
        ++groups;
    }
    std::string key = withSpaces(std::string(s, end).c_str());
    key += '|';
    key += shapeOf(s);
    return key;
}

} // namespace

ShadowIndex::ShadowIndex(const RuleSet& bucket)
    : bucket_(bucket), pairsByLead_(bucket.size()), counted_(bucket.size(), false) {
    for (std::size_t i = 0; i < bucket.size(); ++i) {
        const char* pattern = bucket[i].patternText();
        if (isLearnedForm(pattern))
            learnedForm_[pattern].push_back(i);
        else
            otherForm_.push_back(i);
    }
}

bool ShadowIndex::covered(const char* pattern, std::size_t pairs) const {
    // A learned-form pattern that matches this one keeps some of its leading literal groups
    // and wildcards the rest: it is one of these widenings.
    const int lead = literalLead(pattern);
    for (int keep = 0; keep <= lead; ++keep) {
        const std::string wider = widening(pattern, keep);
        if (wider == pattern)
            continue; // every rule listed there has this very pattern
        const auto found = learnedForm_.find(wider);
        if (found == learnedForm_.end())
            continue;
        for (const std::size_t rule : found->second) {
            if (covers(rule, pattern, pairs))
                return true;
        }
    }
    return std::any_of(otherForm_.begin(), otherForm_.end(),
                       [&](std::size_t rule) { return covers(rule, pattern, pairs); });
}

bool ShadowIndex::covers(std::size_t rule, const char* pattern, std::size_t pairs) const {
    const DialingRule& other = bucket_[rule];
    return other.isEnabled() && other.support().size() >= pairs &&
           std::strcmp(other.patternText(), pattern) != 0 &&
           matchesPattern(other.patternText(), pattern) && countMatching(rule, pattern) >= pairs;
}

std::size_t ShadowIndex::countMatching(std::size_t rule, const char* pattern) const {
    const std::string spaced = withSpaces(pattern);
    if (!isLearnedForm(spaced))
        return static_cast<std::size_t>(bucket_[rule].countSupportMatching(pattern));
    std::unordered_map<std::string, std::size_t>& counts = pairsByLead_[rule];
    if (!counted_[rule]) {
        for (const NumberPair& pair : bucket_[rule].support()) {
            const char* digits = pair.copied.digitForm();
            for (int lead = 0, groups = countGroups(digits); lead <= groups; ++lead)
                ++counts[leadKey(digits, lead)];
        }
        counted_[rule] = true;
    }
    const auto found = counts.find(leadKey(spaced.c_str(), literalLead(spaced.c_str())));
    return found == counts.end() ? 0 : found->second;
}

} // namespace vellix
