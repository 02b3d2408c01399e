#include "rules_dialog/rule_row.h"

#include "capture/digit_string.h"

#include <algorithm>
#include <cstring>

namespace vellix {

const char* enabledLabelText(bool enabled) {
    return enabled ? " (enabled)" : "(disabled)";
}

const char* verifiedLabelText(bool verified) {
    return verified ? ", (verified)" : ", (unverified)";
}

RuleRow makeRuleRow(const DialingRule& rule, std::int32_t& idCounter) {
    RuleRow row;
    row.rule = rule;
    row.enabledAtStart = rule.isEnabled();
    row.keepsVerified = rule.isVerified();
    row.firstId = idCounter;
    idCounter += CONTROLS_PER_ROW;
    row.lastId = idCounter - 1;
    row.patterns = patternChoices(rule);
    const auto own = std::find(row.patterns.begin(), row.patterns.end(), rule.patternText());
    row.patternChoice = static_cast<std::size_t>(own - row.patterns.begin());
    row.replacement = replacementTextOf(rule);
    return row;
}

std::int32_t controlId(const RuleRow& row, RowControl control) {
    return FIRST_ROW_CONTROL_ID + row.firstId + control;
}

namespace {

// The window fields by creation offset; the record keeps them in another order.
constexpr WindowHandle RuleRow::*CONTROL_FIELDS[CONTROLS_PER_ROW] = {
    &RuleRow::dialLabel,       &RuleRow::patternBox,    &RuleRow::asLabel,
    &RuleRow::replacementEdit, &RuleRow::enabledLabel,  &RuleRow::enableBox,
    &RuleRow::verifiedLabel,   &RuleRow::confirmButton, &RuleRow::deleteButton,
};

} // namespace

WindowHandle& controlWindow(RuleRow& row, RowControl control) {
    return row.*CONTROL_FIELDS[control];
}

WindowHandle controlWindow(const RuleRow& row, RowControl control) {
    return row.*CONTROL_FIELDS[control];
}

const char* initialControlText(const RuleRow& row, RowControl control) {
    switch (control) {
    case ENABLED_LABEL:
        return enabledLabelOf(row);
    case VERIFIED_LABEL:
        return verifiedLabelText(row.rule.isVerified());
    default:
        return ROW_CONTROLS[control].text;
    }
}

std::string replacementTextOf(const DialingRule& rule) {
    // Sized for any rule, including one from a hand-edited file with a long prefix.
    char text[DialingRule::REPLACEMENT_CAPACITY] = {};
    rule.replacementText(text, sizeof text);
    return text;
}

const char* setRowRuleEnabled(RuleRow& row, bool enabled) {
    row.rule.setEnabled(enabled);
    row.rule.setVerified(row.keepsVerified || enabled != row.enabledAtStart);
    return enabledLabelOf(row);
}

const char* confirmRowRule(RuleRow& row) {
    row.keepsVerified = true;
    row.rule.confirm();
    return verifiedLabelText(true);
}

std::vector<RowControl> tabControls(const RuleRow& row) {
    std::vector<RowControl> controls{PATTERN_BOX, REPLACEMENT_EDIT, ENABLE_BOX};
    if (!row.rule.isVerified())
        controls.push_back(CONFIRM_BUTTON);
    controls.push_back(DELETE_BUTTON);
    return controls;
}

std::optional<std::size_t> findRuleRow(const RuleRowList& rows, std::int32_t idOffset) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].firstId <= idOffset && idOffset <= rows[i].lastId)
            return i;
    }
    return std::nullopt;
}

namespace {

// The pattern with the digits of every group from group `keep` on turned into wildcards.
std::string keepingGroups(const char* digitForm, int keep) {
    std::string pattern = digitForm;
    int group = -1;
    bool inGroup = false;
    for (char& c : pattern) {
        if (!isPatternChar(c)) {
            inGroup = false;
            continue;
        }
        if (!inGroup)
            ++group;
        inGroup = true;
        if (group >= keep && isKeypadChar(c))
            c = WILDCARD;
    }
    return pattern;
}

std::size_t wildcardCount(const std::string& pattern) {
    return static_cast<std::size_t>(std::count(pattern.begin(), pattern.end(), WILDCARD));
}

} // namespace

std::vector<std::string> patternChoices(const DialingRule& rule) {
    std::vector<std::string> patterns{rule.patternText()};
    std::string wider = rule.patternText();
    for (;;) {
        const auto last = std::find_if(wider.rbegin(), wider.rend(), isKeypadChar);
        if (last == wider.rend())
            break;
        // The group around that digit, all of it: its ends are the separators around it.
        auto start = last.base() - 1;
        while (start != wider.begin() && isPatternChar(*(start - 1)))
            --start;
        for (auto c = start; c != wider.end() && isPatternChar(*c); ++c) {
            if (isKeypadChar(*c))
                *c = WILDCARD;
        }
        patterns.push_back(wider);
    }
    // Narrower ones: down to the groups that all the rule's own numbers share.
    const PairList& support = rule.support();
    if (!support.empty()) {
        const char* own = support.front().copied.digitForm();
        for (int keep = minSharedLeadingGroups(support); keep >= 0; --keep) {
            std::string narrower = keepingGroups(own, keep);
            if (matchesPattern(narrower.c_str(), rule.patternText()) ||
                !matchesPattern(rule.patternText(), narrower.c_str()))
                continue;
            if (std::find(patterns.begin(), patterns.end(), narrower) == patterns.end())
                patterns.push_back(std::move(narrower));
        }
    }
    std::stable_sort(patterns.begin(), patterns.end(),
                     [](const std::string& a, const std::string& b) {
                         return wildcardCount(a) < wildcardCount(b);
                     });
    return patterns;
}

std::vector<std::size_t> offeredPatterns(const RuleRowList& rows, std::size_t row) {
    std::vector<std::size_t> offered;
    const RuleRow& own = rows[row];
    for (std::size_t i = 0; i < own.patterns.size(); ++i) {
        const std::string& pattern = own.patterns[i];
        const bool taken = std::any_of(rows.begin(), rows.end(), [&](const RuleRow& other) {
            return &other != &own && pattern == chosenPattern(other);
        });
        if (!taken || i == own.patternChoice)
            offered.push_back(i);
    }
    return offered;
}

const char* chosenPattern(const RuleRow& row) {
    return row.patternChoice < row.patterns.size() ? row.patterns[row.patternChoice].c_str()
                                                   : row.rule.patternText();
}

bool choosePattern(RuleRow& row, std::size_t choice) {
    if (choice >= row.patterns.size() || choice == row.patternChoice)
        return false;
    row.patternChoice = choice;
    return true;
}

std::optional<DialingRule> readRuleTexts(const char* pattern, const std::string& replacement,
                                         bool enabled) {
    const std::size_t first = replacement.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const std::string text =
        replacement.substr(first, replacement.find_last_not_of(" \t") - first + 1);
    return DialingRule::fromText(pattern, text.c_str(), enabled, true);
}

bool rowIsEdited(const RuleRow& row) {
    return std::strcmp(chosenPattern(row), row.rule.patternText()) != 0 ||
           row.replacement != replacementTextOf(row.rule);
}

bool rowIsReadable(const RuleRow& row) {
    return !rowIsEdited(row) ||
           readRuleTexts(chosenPattern(row), row.replacement, row.rule.isEnabled()).has_value();
}

const char* enabledLabelOf(const RuleRow& row) {
    return rowIsReadable(row) ? enabledLabelText(row.rule.isEnabled())
                              : UNREADABLE_REPLACEMENT_TEXT;
}

DialingRule rowRule(const RuleRow& row) {
    if (!rowIsEdited(row))
        return row.rule;
    std::optional<DialingRule> edited =
        readRuleTexts(chosenPattern(row), row.replacement, row.rule.isEnabled());
    if (!edited)
        return row.rule;
    // The change is a decision: the pairs that call for another rewriting are forgotten, as a
    // deleted rule's are, so that learning cannot bring the old rule back.
    for (const NumberPair& pair : row.rule.support()) {
        const std::optional<PhoneNumber> dialed = edited->apply(pair.copied);
        if (edited->matches(pair.copied.digitForm()) && dialed &&
            std::strcmp(dialed->digitForm(), pair.dialed.digitForm()) == 0)
            edited->addSupport(pair);
    }
    return *edited;
}

RuleSet collectRules(const RuleRowList& rows) {
    RuleSet rules;
    rules.reserve(rows.size());
    for (const RuleRow& row : rows)
        rules.push_back(rowRule(row));
    return rules;
}

} // namespace vellix
