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
    row.patterns = patternChoices(rule.patternText());
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

std::vector<std::string> patternChoices(const char* pattern) {
    std::vector<std::string> patterns{pattern};
    std::string wider = pattern;
    for (;;) {
        const auto last = std::find_if(wider.rbegin(), wider.rend(), isKeypadChar);
        if (last == wider.rend())
            return patterns;
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
}

std::string replacementUnder(const DialingRule& rule, const char* pattern) {
    const int tail = std::max(tailStart(pattern, rule.keptDigits()), 0);
    return std::string(rule.dialPrefix()) + (pattern + tail);
}

const char* chosenPattern(const RuleRow& row) {
    return row.patternChoice < row.patterns.size() ? row.patterns[row.patternChoice].c_str()
                                                   : row.rule.patternText();
}

bool choosePattern(RuleRow& row, std::size_t choice) {
    if (choice >= row.patterns.size() || choice == row.patternChoice)
        return false;
    const bool followed = row.replacement == replacementUnder(row.rule, chosenPattern(row));
    row.patternChoice = choice;
    if (!followed)
        return false;
    std::string replacement = replacementUnder(row.rule, chosenPattern(row));
    const bool changed = replacement != row.replacement;
    row.replacement = std::move(replacement);
    return changed;
}

std::optional<DialingRule> readRuleTexts(const char* pattern, const std::string& replacement,
                                         bool enabled) {
    std::string text = replacement;
    while (!text.empty() && !isPatternChar(text.back()))
        text.pop_back();
    // A '(' would end the replacement in the file and a line break the line: the rule would
    // come back as another one.
    if (text.empty() || text.find_first_of("(\r\n") != std::string::npos)
        return std::nullopt;
    return DialingRule::fromText(pattern, text.c_str(), enabled, true);
}

bool rowIsEdited(const RuleRow& row) {
    return row.patternChoice != 0 || row.replacement != replacementTextOf(row.rule);
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
    // The pairs stay in the history; learning hands each to the rule that explains it.
    edited->reserveSupport(row.rule.support().size());
    for (const NumberPair& pair : row.rule.support())
        edited->addSupport(pair);
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
