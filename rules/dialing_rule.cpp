#include "rules/dialing_rule.h"

#include "capture/digit_string.h"
#include "rules/pair_order.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <tuple>

namespace vellix {

namespace {

std::uint64_t computedRankKeys = 0;

// Length of s, looking at no more than limit + 1 bytes.
std::size_t boundedLength(const char* s, std::size_t limit) {
    std::size_t n = 0;
    while (n <= limit && s[n] != '\0')
        ++n;
    return n;
}

// Copies s into a field of DialingRule::CAPACITY bytes, cutting what does not fit. The
// fields it fills come from values that always fit; the cut only guards the buffer.
void copyField(char* field, const char* s) {
    const std::size_t n =
        std::min(boundedLength(s, DialingRule::CAPACITY - 1), DialingRule::CAPACITY - 1);
    std::memcpy(field, s, n);
    field[n] = '\0';
}

// Turns the dialable characters of every group from group `literalGroups` on into
// wildcards. Spaces and wildcards both advance the group count: a wildcard only ever stands
// past the literal groups, so counting it changes nothing.
void wildcardFrom(char* pattern, std::int32_t literalGroups) {
    std::int32_t group = 0;
    for (char* p = pattern; *p != '\0'; ++p) {
        if (!isDialable(*p))
            ++group;
        else if (group >= literalGroups && isKeypadChar(*p))
            *p = WILDCARD;
    }
}

// An 'x' of a rule's text, in either case.
bool isWildcardText(char c) {
    return c == WILDCARD || c == 'X';
}

// A pattern as the user writes it: groups of digits, '#', '*' and 'x' (either case), a '+' in
// front, one blank between groups. Blanks are read leniently; anything else refuses it.
bool readPattern(const char* text, char (&pattern)[DialingRule::CAPACITY]) {
    std::size_t n = 0;
    bool pendingBlank = false;
    for (const char* p = text; *p != '\0'; ++p) {
        const char c = isWildcardText(*p) ? WILDCARD : *p;
        if (c == ' ' || c == '\t') {
            pendingBlank = n > 0;
            continue;
        }
        if (!isPatternChar(c) || (c == INTERNATIONAL_PREFIX && n > 0) ||
            n + (pendingBlank ? 2 : 1) >= DialingRule::CAPACITY)
            return false;
        if (pendingBlank)
            pattern[n++] = ' ';
        pendingBlank = false;
        pattern[n++] = c;
    }
    pattern[n] = '\0';
    return n > 0;
}

// Whole groups in front of the kept ones that the replacement writes out as the pattern has
// them ("9 1 412 268 xxxx" under "412 268 xxxx") are the number's own: they are kept too, so
// that the rule dials the number's digits under a wider pattern as well. prefixLength, kept
// and tail (where the kept places start in the pattern) move over them.
void keepWrittenGroups(const char* pattern, const char* replacement, std::size_t& prefixLength,
                       std::int32_t& kept, int& tail) {
    for (;;) {
        std::size_t end = prefixLength;
        if (kept > 0) {
            if (end == 0 || replacement[end - 1] != ' ')
                return;
            --end;
        }
        // The pattern's group in front of the kept places.
        const int groupEnd = kept > 0 ? tail - 1 : tail;
        if (groupEnd <= 0 || (kept > 0 && pattern[groupEnd] != ' '))
            return;
        int groupStart = groupEnd;
        while (groupStart > 0 && isPatternChar(pattern[groupStart - 1]))
            --groupStart;
        const auto length = static_cast<std::size_t>(groupEnd - groupStart);
        if (end < length || (end > length && replacement[end - length - 1] != ' ') ||
            std::memchr(pattern + groupStart, WILDCARD, length) != nullptr ||
            std::memcmp(replacement + end - length, pattern + groupStart, length) != 0)
            return;
        prefixLength = end - length;
        kept += static_cast<std::int32_t>(length);
        tail = groupStart;
    }
}

// The copied numbers of the pairs, greatest digit form first. The order of equal digit forms
// does not matter to the callers, which only look at digit forms.
std::vector<const PhoneNumber*> copiedDescending(const PairList& pairs) {
    std::vector<const PhoneNumber*> numbers;
    numbers.reserve(pairs.size());
    for (const std::size_t position : copiedDescendingOrder(pairs))
        numbers.push_back(&pairs[position].copied);
    return numbers;
}

std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t> fieldsOf(const RuleRankKey& k) {
    return {k.wildcardGroups, k.distinctSupport, k.keptDigits, k.prefixLength};
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

} // namespace

DialingRule DialingRule::fromPair(const NumberPair& pair) {
    DialingRule rule;
    rule.support_.push_back(pair);
    copyField(rule.dialPrefix_, pair.dialPrefix);
    rule.prefixLength_ = static_cast<std::int32_t>(std::strlen(rule.dialPrefix_));
    rule.keptDigits_ = pair.sharedDigits;
    return rule;
}

std::optional<DialingRule> DialingRule::fromText(const char* pattern, const char* replacement,
                                                 bool enabled, bool verified) {
    if (pattern == nullptr || replacement == nullptr)
        return std::nullopt;
    DialingRule rule;
    if (!readPattern(pattern, rule.pattern_))
        return std::nullopt;
    // What is dialed in front, then an 'x' for every character kept from the number. A hand-
    // edited file may hold anything: a text that does not fit a rule is refused whole rather
    // than cut into a different rule.
    const std::size_t length = boundedLength(replacement, REPLACEMENT_CAPACITY);
    if (length >= REPLACEMENT_CAPACITY)
        return std::nullopt;
    std::size_t firstKept = 0;
    while (firstKept < length && !isWildcardText(replacement[firstKept]))
        ++firstKept;
    if (firstKept >= CAPACITY)
        return std::nullopt;
    std::int32_t kept = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = replacement[i];
        if (isWildcardText(c))
            ++kept;
        else if (i >= firstKept ? c != ' ' : !isDialable(c) && c != ' ')
            return std::nullopt;
    }
    // The kept characters are whole groups of the number, no more than the pattern has.
    int tail = tailStart(rule.pattern_, kept);
    if ((firstKept == 0 && kept == 0) || tail < 0 ||
        (kept > 0 && tail > 0 && isPatternChar(rule.pattern_[tail - 1])))
        return std::nullopt;
    keepWrittenGroups(rule.pattern_, replacement, firstKept, kept, tail);
    std::memcpy(rule.dialPrefix_, replacement, firstKept);
    rule.dialPrefix_[firstKept] = '\0';
    rule.prefixLength_ = static_cast<std::int32_t>(firstKept);
    rule.keptDigits_ = kept;
    rule.enabled_ = enabled;
    rule.verified_ = verified;
    return rule;
}

const char* DialingRule::patternText() const {
    return pattern_;
}

void DialingRule::replacementText(char* out, std::size_t size) const {
    if (out == nullptr || size == 0)
        return;
    // The kept characters read as 'x' whatever the pattern holds there, so a rule reads the
    // same whatever its pattern becomes.
    const int tail = std::max(tailStart(pattern_, keptDigits_), 0);
    std::size_t n = 0;
    for (const char* s = dialPrefix_; *s != '\0' && n + 1 < size; ++s)
        out[n++] = *s;
    for (const char* s = pattern_ + tail; *s != '\0' && n + 1 < size; ++s)
        out[n++] = isPatternChar(*s) ? WILDCARD : *s;
    out[n] = '\0';
}

bool DialingRule::isEnabled() const {
    return enabled_;
}

void DialingRule::setEnabled(bool enabled) {
    enabled_ = enabled;
}

bool DialingRule::isVerified() const {
    return verified_;
}

void DialingRule::confirm() {
    verified_ = true;
}

void DialingRule::setVerified(bool verified) {
    verified_ = verified;
}

bool DialingRule::matches(const char* digitForm) const {
    return matchesPattern(pattern_, digitForm);
}

std::optional<PhoneNumber> DialingRule::apply(const PhoneNumber& number) const {
    const char* digits = number.digitForm();
    const int start = tailStart(digits, keptDigits_);
    if (start < 0)
        return std::nullopt;
    const char* tail = digits + start;
    const std::size_t prefixLength = std::strlen(dialPrefix_);
    const std::size_t tailLength = std::strlen(tail);
    if (prefixLength + tailLength > PhoneNumber::MAX_TEXT_LENGTH)
        return std::nullopt;
    char text[PhoneNumber::MAX_TEXT_LENGTH + 1];
    std::memcpy(text, dialPrefix_, prefixLength);
    std::memcpy(text + prefixLength, tail, tailLength + 1);
    PhoneNumber result;
    if (!result.setText(text))
        return std::nullopt;
    return result;
}

const RuleRankKey& DialingRule::rankKey() const {
    if (!rankKeyValid_)
        computeRankKey();
    return rankKey_;
}

void DialingRule::computeRankKey() const {
    rankKey_.wildcardGroups = countGroupsFromFirstWildcard(pattern_);
    rankKey_.distinctSupport = distinctSupport(support_, rankKey_.wildcardGroups);
    rankKey_.keptDigits = keptDigits_;
    rankKey_.prefixLength = prefixLength_;
    rankKeyValid_ = true;
    ++computedRankKeys;
}

std::uint64_t DialingRule::rankKeyComputations() {
    return computedRankKeys;
}

bool DialingRule::samePattern(const DialingRule& other) const {
    return std::strcmp(pattern_, other.pattern_) == 0;
}

int DialingRule::countSupportMatching(const char* pattern) const {
    return static_cast<int>(
        std::count_if(support_.begin(), support_.end(), [pattern](const NumberPair& pair) {
            return matchesPattern(pattern, pair.copied.digitForm());
        }));
}

void DialingRule::addSupport(const NumberPair& pair) {
    support_.push_back(pair);
    rankKeyValid_ = false;
}

void DialingRule::reserveSupport(std::size_t pairs) {
    support_.reserve(pairs);
}

void DialingRule::clearSupport() {
    support_.clear();
    rankKeyValid_ = false;
}

void DialingRule::clearLearningCounts() {
    literalGroups_ = 0;
    generalizedGroups_ = 0;
}

void DialingRule::generalizeToSupport() {
    if (support_.empty())
        return;
    const PhoneNumber& base = support_.front().copied;
    literalGroups_ = minSharedLeadingGroups(support_);
    generalizedGroups_ = countSharedLeadingGroups(base, base) - literalGroups_;
    copyField(pattern_, base.digitForm());
    wildcardFrom(pattern_, literalGroups_);
    rankKeyValid_ = false;
}

std::int32_t DialingRule::fixedGroups() const {
    if (pattern_[0] != INTERNATIONAL_PREFIX)
        return 0;
    std::int32_t characters = 0;
    for (const char* p = pattern_; *p != '\0'; ++p)
        characters += isPatternChar(*p) ? 1 : 0;
    return keptDigits_ < characters ? 1 : 0;
}

void DialingRule::generalizeOneGroup() {
    if (literalGroups_ <= fixedGroups())
        return;
    --literalGroups_;
    ++generalizedGroups_;
    wildcardFrom(pattern_, literalGroups_);
    computeRankKey();
}

void DialingRule::generalizeFully() {
    const std::int32_t fixed = std::min(fixedGroups(), literalGroups_);
    wildcardFrom(pattern_, fixed);
    generalizedGroups_ += literalGroups_ - fixed;
    literalGroups_ = fixed;
    computeRankKey();
}

bool DialingRule::isShadowed(const std::vector<DialingRule>& rules) const {
    return enabled_ && !verified_ && coveredByMoreGeneral(pattern_, support_.size(), rules);
}

void DialingRule::widenedPattern(char (&out)[CAPACITY]) const {
    std::memcpy(out, pattern_, CAPACITY);
    if (literalGroups_ > fixedGroups())
        wildcardFrom(out, literalGroups_ - 1);
}

std::int32_t distinctSupport(const PairList& pairs, std::int32_t w) {
    if (pairs.size() < 2)
        return static_cast<std::int32_t>(pairs.size());
    const std::vector<const PhoneNumber*> numbers = copiedDescending(pairs);
    const int groups = countGroups(numbers.front()->digitForm());
    std::int32_t result = 1;
    for (std::size_t k = 1; k < numbers.size(); ++k) {
        if (countSharedLeadingGroups(*numbers[k], *numbers[k - 1]) + w <= groups)
            ++result;
    }
    return result;
}

std::int32_t minSharedLeadingGroups(const PairList& pairs) {
    if (pairs.empty())
        return 0;
    std::int32_t shared = countSharedLeadingGroups(pairs.front().copied, pairs.front().copied);
    for (std::size_t k = 1; k < pairs.size(); ++k)
        shared = std::min(shared, countSharedLeadingGroups(pairs[k].copied, pairs[k - 1].copied));
    return shared;
}

bool patternTaken(const DialingRule& rule, const RuleSet& rules) {
    return patternTaken(rule.patternText(), rules);
}

bool patternTaken(const char* pattern, const RuleSet& rules) {
    return std::any_of(rules.begin(), rules.end(), [pattern](const DialingRule& rule) {
        return std::strcmp(rule.patternText(), pattern) == 0;
    });
}

bool coveredByMoreGeneral(const char* pattern, std::size_t pairs, const RuleSet& rules) {
    return std::any_of(rules.begin(), rules.end(), [pattern, pairs](const DialingRule& other) {
        // Cheap tests first: counting the support is the costly one.
        return other.isEnabled() && other.support().size() >= pairs &&
               std::strcmp(other.patternText(), pattern) != 0 &&
               matchesPattern(other.patternText(), pattern) &&
               static_cast<std::size_t>(other.countSupportMatching(pattern)) >= pairs;
    });
}

int compareRankKeys(const DialingRule& a, const DialingRule& b) {
    const auto ka = fieldsOf(a.rankKey());
    const auto kb = fieldsOf(b.rankKey());
    if (ka < kb)
        return -1;
    return kb < ka ? 1 : 0;
}

bool rankKeyGreater(const DialingRule& a, const DialingRule& b) {
    return compareRankKeys(a, b) > 0;
}

int compareForApplication(const DialingRule& a, const DialingRule& b) {
    if (a.isEnabled() != b.isEnabled())
        return a.isEnabled() ? 1 : -1;
    const int byKey = compareRankKeys(b, a);
    if (byKey != 0)
        return byKey;
    if (a.isVerified() != b.isVerified())
        return a.isVerified() ? 1 : -1;
    return 0;
}

bool appliesBefore(const DialingRule& a, const DialingRule& b) {
    return compareForApplication(a, b) > 0;
}

int comparePatternGroups(const DialingRule& a, const DialingRule& b) {
    const RuleRankKey& ka = a.rankKey();
    const RuleRankKey& kb = b.rankKey();
    if (ka.wildcardGroups != kb.wildcardGroups)
        return ka.wildcardGroups - kb.wildcardGroups;
    const int byText = std::strcmp(a.patternText(), b.patternText());
    if (byText != 0)
        return sign(byText);
    return ka.distinctSupport - kb.distinctSupport;
}

bool precedesForDeduplication(const DialingRule& a, const DialingRule& b) {
    const int byPattern = comparePatternGroups(a, b);
    if (byPattern != 0)
        return byPattern < 0;
    if (a.isVerified() != b.isVerified())
        return !a.isVerified();
    return compareRankKeys(a, b) < 0;
}

bool shapeGreater(const DialingRule& a, const DialingRule& b) {
    return compareShape(a.patternText(), b.patternText()) > 0;
}

DialStrings rankedDialStrings(const PhoneNumber& number, RuleSet& rules) {
    // Stable, so rules that tie keep the order they were given in on every platform. The
    // working rules stay sorted from one clipboard change to the next, and a stable sort
    // leaves a sorted list as it is, so the rules are only moved when they need to be.
    if (!std::is_sorted(rules.begin(), rules.end(), appliesBefore))
        std::stable_sort(rules.begin(), rules.end(), appliesBefore);
    DialStrings dialStrings;
    for (const DialingRule& rule : rules) {
        if (!rule.matches(number.digitForm()))
            continue;
        if (std::optional<PhoneNumber> rewritten = rule.apply(number)) {
            dialStrings.numbers.push_back(*rewritten);
            if (rule.isEnabled())
                ++dialStrings.fromEnabledRules;
        }
    }
    return dialStrings;
}

std::vector<PhoneNumber> dialStringsFor(const PhoneNumber& number, RuleSet& rules) {
    return rankedDialStrings(number, rules).numbers;
}

RuleSet extractStoredRules(const RuleSet& rules) {
    RuleSet stored;
    std::copy_if(rules.begin(), rules.end(), std::back_inserter(stored),
                 [](const DialingRule& rule) { return rule.isVerified(); });
    for (DialingRule& rule : stored)
        rule.clearLearningCounts();
    return stored;
}

} // namespace vellix
