// Times rule learning on long dialing histories. Run by hand, best from an optimised build:
//   rules_benchmark [pairs...]
// Prints, for each history size, the time deriveWorkingRules takes and how many rules come
// out: for users with a few hundred or a few thousand contacts who mostly dial a contact the
// same way, and for a user who dials every number every way, which splits rules the most.

#include "rules/rule_learning.h"

#include "rule_test_support.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using vellix::PairList;
using vellix::RuleSet;

double millisecondsToDerive(const RuleSet& stored, const PairList& history, std::size_t& rules) {
    constexpr int RUNS = 3;
    double best = 0;
    for (int run = 0; run < RUNS; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const RuleSet working = vellix::deriveWorkingRules(stored, history);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        rules = working.size();
        if (run == 0 || took.count() < best)
            best = took.count();
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::size_t> sizes{1000, 10000, 30000, 60000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes.push_back(static_cast<std::size_t>(std::strtoul(argv[i], nullptr, 10)));
    }
    const RuleSet stored{vellix::test::ruleFromText("412 268 xxxx", "8 xxxx"),
                         vellix::test::ruleFromText("xxx xxx xxxx", "9 1 xxx xxx xxxx")};
    struct User {
        int contacts;
        int variation;
    };
    for (const User user : {User{300, 10}, User{3000, 10}, User{300, 100}}) {
        for (const std::size_t size : sizes) {
            vellix::test::HistoryGenerator generator(1, user.contacts, user.variation);
            const PairList history = generator.history(size);
            std::size_t learned = 0;
            std::size_t withStored = 0;
            const double alone = millisecondsToDerive({}, history, learned);
            const double claimed = millisecondsToDerive(stored, history, withStored);
            std::printf("%5d contacts, %3d%% varied, %6zu pairs: %8.1f ms (%zu rules), with 2 "
                        "stored rules %8.1f ms (%zu rules)\n",
                        user.contacts, user.variation, size, alone, learned, claimed, withStored);
        }
    }
    return 0;
}
