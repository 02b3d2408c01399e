#include "rules_dialog/rule_row.h"

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
    row.firstId = idCounter;
    idCounter += CONTROLS_PER_ROW;
    row.lastId = idCounter - 1;
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
        return enabledLabelText(row.rule.isEnabled());
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
    return enabledLabelText(enabled);
}

const char* confirmRowRule(RuleRow& row) {
    row.rule.confirm();
    return verifiedLabelText(true);
}

std::optional<std::size_t> findRuleRow(const RuleRowList& rows, std::int32_t idOffset) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].firstId <= idOffset && idOffset <= rows[i].lastId)
            return i;
    }
    return std::nullopt;
}

RuleSet collectRules(const RuleRowList& rows) {
    RuleSet rules;
    rules.reserve(rows.size());
    for (const RuleRow& row : rows)
        rules.push_back(row.rule);
    return rules;
}

} // namespace vellix
