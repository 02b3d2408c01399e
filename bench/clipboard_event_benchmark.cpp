// One clipboard change as the program handles it: the copied block or text turned into
// captured numbers, and the dial strings of the first under a working set of 50 rules.
// Beside it, the same numbers parsed and formatted for dialing by libphonenumber.

#include "capture/captured_number.h"
#include "capture/name_value_block.h"
#include "rules/dialing_rule.h"

#include <benchmark/benchmark.h>
#include <phonenumbers/phonenumberutil.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using vellix::CapturedNumberList;

struct ClipboardEvent {
    bool block; // a "NameValuePairList" block, or else plain text
    std::string data;
};

std::string blockOf(const std::vector<std::string>& strings) {
    std::string block;
    for (const std::string& s : strings)
        block.append(s).push_back('\0');
    return block;
}

const std::vector<ClipboardEvent>& events() {
    static const std::vector<ClipboardEvent> all{
        {true, blockOf({"Name", "Dana Whitfield", "Title", "Purchasing", "Work phone",
                        "(412) 268-1234", "Cell phone", "412.555.0199", "Fax", "412-268-9999"})},
        {true, blockOf({"Name", "Lee Ortiz", "Phone", "+1 650 555 0123"})},
        {true, blockOf({"Home phone", "(212) 621-4477", "Pager", "1 800 555 0101"})},
        {false, "(412) 268-1234"},
        {false, "412-937-5555 x56"},
        {false, "1 415 555 2671"},
    };
    return all;
}

// A working set as learning leaves it for an office: per local exchange an internal rule,
// per far area code a long-distance rule, and the catch-alls of each shape.
vellix::RuleSet officeRules() {
    static const char* const exchanges[] = {"268", "621", "937", "555", "622", "938"};
    static const char* const areas[] = {"212", "650", "415", "617", "312", "206", "718", "202",
                                        "305", "404", "503", "602", "702", "713", "801", "808"};
    vellix::RuleSet rules;
    const auto add = [&rules](const std::string& pattern, const std::string& replacement) {
        if (std::optional<vellix::DialingRule> rule =
                vellix::DialingRule::fromText(pattern.c_str(), replacement.c_str(), true, true))
            rules.push_back(*rule);
    };
    for (const char* exchange : exchanges) {
        add(std::string("412 ") + exchange + " xxxx", std::string("8 xxxx"));
        add(std::string("1 412 ") + exchange + " xxxx", std::string("xxxx"));
    }
    for (const char* area : areas) {
        add(std::string(area) + " xxx xxxx", std::string("9 1 ") + area + " xxx xxxx");
        add(std::string("1 ") + area + " xxx xxxx", std::string("9 1 ") + area + " xxx xxxx");
    }
    add("xxx xxx xxxx", "9 1 xxx xxx xxxx");
    add("1 xxx xxx xxxx", "9 1 xxx xxx xxxx");
    add("xxx xxx xxxx xx", "9 1 xxx xxx xxxx xx");
    add("xxx xxxx", "9 xxx xxxx");
    add("xxxx", "xxxx");
    add("1 800 xxx xxxx", "9 1 800 xxx xxxx");
    return rules;
}

// What the program does with a clipboard change, up to the strings it offers.
std::size_t handleEvent(const ClipboardEvent& event, vellix::RuleSet& rules) {
    CapturedNumberList captured;
    if (event.block) {
        vellix::collectLabelledNumbers(
            vellix::parseNameValuePairs(event.data.data(),
                                        static_cast<std::int32_t>(event.data.size())),
            captured);
    } else {
        vellix::PhoneNumber number;
        if (number.setText(event.data.c_str()))
            captured.emplace_back(number.text(), vellix::KIND_GENERAL, nullptr);
    }
    if (captured.empty())
        return 0;
    return vellix::dialStringsFor(captured.front().number(), rules).size() + captured.size();
}

// The numbers of the same event through libphonenumber, each parsed for the US and formatted
// as dialed from there.
std::size_t handleWithLibphonenumber(const ClipboardEvent& event,
                                     const i18n::phonenumbers::PhoneNumberUtil& util) {
    std::vector<const char*> texts;
    if (event.block) {
        const auto pairs = vellix::parseNameValuePairs(
            event.data.data(), static_cast<std::int32_t>(event.data.size()));
        for (const char* field :
             {"Work phone", "Phone", "Cell phone", "Home phone", "Pager", "Fax"}) {
            if (const char* value = vellix::findValue(pairs, field))
                texts.push_back(value);
        }
    } else {
        texts.push_back(event.data.c_str());
    }
    std::size_t formatted = 0;
    for (const char* text : texts) {
        i18n::phonenumbers::PhoneNumber number;
        if (util.Parse(text, "US", &number) !=
            i18n::phonenumbers::PhoneNumberUtil::NO_PARSING_ERROR)
            continue;
        std::string dialString;
        util.FormatOutOfCountryCallingNumber(number, "US", &dialString);
        formatted += dialString.size();
    }
    return formatted;
}

void BM_ClipboardEvent(benchmark::State& state) {
    vellix::RuleSet rules = officeRules();
    const std::vector<ClipboardEvent>& all = events();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(handleEvent(all[next], rules));
        next = next + 1 == all.size() ? 0 : next + 1;
    }
    state.counters["rules"] = static_cast<double>(rules.size());
}

void BM_ClipboardEventLibphonenumber(benchmark::State& state) {
    const i18n::phonenumbers::PhoneNumberUtil& util =
        *i18n::phonenumbers::PhoneNumberUtil::GetInstance();
    const std::vector<ClipboardEvent>& all = events();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(handleWithLibphonenumber(all[next], util));
        next = next + 1 == all.size() ? 0 : next + 1;
    }
}

} // namespace

// One iteration is one event; the events take turns, so the time is their mean.
BENCHMARK(BM_ClipboardEvent)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ClipboardEventLibphonenumber)->Repetitions(9)->ReportAggregatesOnly(true);
