#include "dialing_scenarios.h"
#include "seeded_generator.h"

#include <iterator>

namespace vellix::bench {

namespace {

// A number as groups of digits: area, exchange and line for a North American number, the
// national number's groups (without the trunk 0) for any other country.
struct Number {
    std::string country;
    std::vector<std::string> groups;
    bool trunkZero = false; // written at home with a 0 in front, as "(0)20 ..." abroad
};

// An office's own exchanges and the digit their extensions are dialed with.
struct Exchange {
    std::string exchange;
    std::string prefix;
};

// The first exchange is the bigger one, with three internal numbers out of five.
struct Office {
    std::string area;
    std::vector<Exchange> internal;
    std::string outsideLine; // "9 ", or nothing on a phone system that needs none
};

// Countries as their national numbers are grouped; 'x' stands for any digit.
struct Country {
    const char* code;
    const char* pattern;
    bool trunkZero;
};
constexpr Country COUNTRIES[] = {{"44", "20 xxxx xxxx", true},  {"33", "1 xx xx xx xx", true},
                                 {"49", "30 xxxxxxxx", true},   {"81", "3 xxxx xxxx", true},
                                 {"52", "55 xxxx xxxx", false}, {"91", "22 xxxx xxxx", true}};
constexpr const char* AREAS[] = {"412", "650", "212", "415", "617", "312", "206", "303", "512"};
constexpr std::size_t CONTACTS = 300; // the numbers the user calls again and again

std::string join(const std::vector<std::string>& groups, const std::string& separator) {
    std::string s;
    for (const std::string& group : groups)
        s += (s.empty() ? "" : separator) + group;
    return s;
}

std::string dial(const Office& office, const Number& n) {
    if (n.country != "1")
        return office.outsideLine + "011 " + n.country + " " + join(n.groups, " ");
    if (n.groups[0] != office.area)
        return office.outsideLine + "1 " + join(n.groups, " ");
    for (const Exchange& e : office.internal) {
        if (e.exchange == n.groups[1])
            return e.prefix + " " + n.groups[2];
    }
    return office.outsideLine + n.groups[1] + " " + n.groups[2];
}

Number northAmerican(Generator& g, const std::string& area, const std::string& exchange) {
    std::string line = g.digits(4);
    return {"1", {area, exchange, line}};
}

// An exchange that is none of the office's own.
std::string otherExchange(Generator& g, const Office& office) {
    for (;;) {
        std::string exchange = std::to_string(2 + g.pick(8));
        exchange += g.digits(2);
        bool own = false;
        for (const Exchange& e : office.internal)
            own = own || e.exchange == exchange;
        if (!own)
            return exchange;
    }
}

// Someone the user calls: half of them in the office, a quarter in town, a fifth elsewhere in
// the country and the rest abroad.
Number contact(Generator& g, const Office& office) {
    const std::size_t roll = g.pick(100);
    if (roll < 50) {
        const Exchange& e = office.internal[g.pick(5) < 3 ? 0 : office.internal.size() - 1];
        return northAmerican(g, office.area, e.exchange);
    }
    if (roll < 75) {
        const std::string exchange = otherExchange(g, office);
        return northAmerican(g, office.area, exchange);
    }
    if (roll < 95) {
        std::string area = office.area;
        while (area == office.area)
            area = AREAS[g.pick(std::size(AREAS))];
        const std::string exchange = otherExchange(g, office);
        return northAmerican(g, area, exchange);
    }
    const Country& country = COUNTRIES[g.pick(std::size(COUNTRIES))];
    Number n{country.code, {""}, country.trunkZero};
    for (const char* c = country.pattern; *c; ++c) {
        if (*c == ' ')
            n.groups.emplace_back();
        else
            n.groups.back() += *c == 'x' ? static_cast<char>('0' + g.pick(10)) : *c;
    }
    return n;
}

// The number as the user found it written this time; `manyWays` adds the rarer notations.
std::string written(Generator& g, const Number& n, bool manyWays) {
    const std::string extension = g.digits(1 + static_cast<int>(g.pick(3)));
    std::vector<std::string> forms;
    if (n.country == "1") {
        const std::string &a = n.groups[0], &e = n.groups[1], &l = n.groups[2];
        forms = {"(" + a + ") " + e + "-" + l, a + "-" + e + "-" + l,
                 a + "." + e + "." + l,        a + " " + e + " " + l,
                 "+1 " + join(n.groups, " "),  "1-" + join(n.groups, "-")};
        if (manyWays)
            forms.insert(forms.end(),
                         {"+1 (" + a + ") " + e + "-" + l, a + "/" + e + "-" + l,
                          "1." + join(n.groups, "."), a + " " + e + " " + l + " x" + extension,
                          "(" + a + ")" + e + "-" + l, "1 (" + a + ") " + e + "-" + l, a + e + l,
                          a + "-" + e + "-" + l + " ext. " + extension});
    } else {
        const std::string& c = n.country;
        forms = {"+" + c + " " + join(n.groups, " "), "+" + c + "-" + join(n.groups, "-"),
                 "011 " + c + " " + join(n.groups, " ")};
        if (manyWays)
            forms.insert(forms.end(),
                         {"(+" + c + ") " + join(n.groups, " "),
                          "00" + c + " " + join(n.groups, " "), "+" + c + join(n.groups, "")});
        if (manyWays && n.trunkZero)
            forms.insert(forms.end(), {"+" + c + " (0)" + join(n.groups, " "),
                                       "+" + c + " (0) " + join(n.groups, " ")});
    }
    return forms[g.pick(forms.size())];
}

// One digit of the dial string wrong.
std::string misdialed(Generator& g, std::string dialed) {
    std::vector<std::size_t> digits;
    for (std::size_t i = 0; i < dialed.size(); ++i) {
        if (dialed[i] >= '0' && dialed[i] <= '9')
            digits.push_back(i);
    }
    char& d = dialed[digits[g.pick(digits.size())]];
    d = static_cast<char>('0' + (d - '0' + 1 + g.pick(9)) % 10);
    return dialed;
}

struct Setup {
    const char* name;
    const char* description;
    Office before;
    Office after;
    bool changes;
    std::size_t ways;
    bool exceptions = false; // caller id blocked for a few contacts, and the odd misdial
    bool manyWays = false;
};

Scenario play(const Setup& setup, std::size_t calls, std::uint32_t seed) {
    Generator g(seed);
    std::vector<Number> contacts;
    for (std::size_t i = 0; i < CONTACTS; ++i)
        contacts.push_back(contact(g, setup.before));
    std::vector<Number> blocked;
    while (blocked.size() < 5) {
        Number n = contact(g, setup.before);
        if (dial(setup.before, n).rfind(setup.before.outsideLine, 0) == 0)
            blocked.push_back(n);
    }

    Scenario s{setup.name, setup.description, setup.changes ? calls / 2 : calls, setup.ways, {}};
    s.calls.reserve(calls);
    for (std::size_t i = 0; i < calls; ++i) {
        const bool after = i >= s.changeAt;
        // After a move, the user keeps calling one old contact in four; the rest are new.
        if (i == s.changeAt && setup.after.area != setup.before.area) {
            for (std::size_t k = 0; k < contacts.size(); ++k) {
                if (k % 4 != 0)
                    contacts[k] = contact(g, setup.after);
            }
        }
        const Office& office = after ? setup.after : setup.before;

        Call call;
        Number n;
        if (setup.exceptions && g.pick(100) < 5) {
            n = blocked[g.pick(blocked.size())];
            call.dialed = "*67 " + dial(office, n);
        } else {
            // Seven calls in ten go to a contact, the first ones on the list most often.
            n = g.pick(10) < 7 ? contacts[g.pick(g.pick(contacts.size()) + 1)] : contact(g, office);
            call.dialed = dial(office, n);
            call.affected = after && call.dialed != dial(setup.before, n);
        }
        if (setup.exceptions && g.pick(100) == 0)
            call.dialed = misdialed(g, call.dialed);
        call.written = written(g, n, setup.manyWays);
        s.calls.push_back(call);
    }
    return s;
}

} // namespace

std::vector<Scenario> dialingScenarios(std::size_t calls, std::uint32_t seed) {
    const Office office{"412", {{"268", "8"}, {"621", "6"}}, "9 "};
    const Office renumbered{"412", {{"268", "7"}, {"621", "6"}}, "9 "};
    const Office moved{"650", {{"555", "5"}}, "9 "};
    const Office noNine{"412", office.internal, ""};

    // Ways: internal per exchange, local, long distance, international, and each exception kind
    // (a misdial is a slip, not a way of dialing).
    const Setup setups[] = {
        {"steady office", "An office in area 412 whose dialing never changes.", office, office,
         false, 5},
        {"renumbering",
         "Halfway through, extensions in the 268 exchange go from an 8 in front to a 7.", office,
         renumbered, true, 5},
        {"move to another area",
         "Halfway through, the user moves to an office in area 650 whose extensions are 650 555 "
         "numbers dialed with a 5.",
         office, moved, true, 4},
        {"phone system drops the 9",
         "Halfway through, the phone system stops needing a 9 for an outside line.", office, noNine,
         true, 5},
        {"exceptions",
         "The steady office, with caller id blocked for a few contacts and the odd misdial.",
         office, office, false, 6, true},
        {"written many ways",
         "The steady office, with numbers copied in many more notations, some with an extension.",
         office, office, false, 5, false, true},
    };
    std::vector<Scenario> scenarios;
    for (const Setup& setup : setups)
        scenarios.push_back(play(setup, calls, seed));
    return scenarios;
}

} // namespace vellix::bench
