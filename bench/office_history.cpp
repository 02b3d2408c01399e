#include "office_history.h"
#include "seeded_generator.h"

#include <string>
#include <unordered_set>

namespace vellix::bench {

namespace {

NumberPair pairOf(const std::string& copied, const std::string& dialed) {
    NumberPair pair;
    return pair.setNumbers(copied.c_str(), dialed.c_str());
}

// The office's own exchanges and how an extension in each is dialed.
struct Exchange {
    const char* exchange;
    const char* internalPrefix;
};
constexpr Exchange EXCHANGES[] = {{"268", "8 "}, {"621", ""}, {"937", "7-"}};
constexpr const char* FAR_AREAS[] = {"212", "650", "415", "617", "312", "206"};

NumberPair officePair(Generator& g) {
    const std::size_t roll = g.pick(100);
    if (roll < 70) {
        const Exchange& local = EXCHANGES[g.pick(3)];
        const std::string line = g.digits(4);
        const std::string copied = "(412) " + std::string(local.exchange) + "-" + line;
        return pairOf(copied, local.internalPrefix + line);
    }
    if (roll < 95) {
        const std::string area = FAR_AREAS[g.pick(6)];
        const std::string exchange = g.digits(3);
        const std::string line = g.digits(4);
        const std::string copied = g.pick(2) == 0 ? area + "-" + exchange + "-" + line
                                                  : "1 " + area + " " + exchange + " " + line;
        return pairOf(copied, "9 1 " + area + " " + exchange + " " + line);
    }
    // Odd ones: a blocked caller id, a local number dialed long-distance, an extension.
    const std::string line = g.digits(4);
    switch (g.pick(3)) {
    case 0:
        return pairOf("412-268-" + line, "*67 " + line);
    case 1:
        return pairOf("(412) 621-" + line, "9 1 412 621 " + line);
    default:
        return pairOf("412-937-" + line + " x" + g.digits(2), "7 " + line);
    }
}

} // namespace

PairList officeHistory(std::size_t pairs, std::uint32_t seed) {
    Generator g(seed);
    PairList history;
    history.reserve(pairs);
    while (history.size() < pairs) {
        NumberPair pair = officePair(g);
        if (pair.isLearnable())
            history.push_back(pair);
    }
    return history;
}

PairList distinctPrefixHistory(std::size_t pairs, std::uint32_t seed) {
    Generator g(seed);
    PairList history;
    history.reserve(pairs);
    std::unordered_set<std::string> prefixes;
    while (history.size() < pairs) {
        const std::string copied = g.digits(3) + " " + g.digits(3) + " " + g.digits(4);
        const std::string prefix = std::to_string(history.size() + 1) + g.digits(2);
        NumberPair pair = pairOf(copied, prefix + " " + copied.substr(8));
        if (pair.isLearnable() && prefixes.insert(pair.dialPrefix).second)
            history.push_back(pair);
    }
    return history;
}

} // namespace vellix::bench
