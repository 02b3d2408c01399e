// Learning curves: simulated users (dialing_scenarios.cpp, written without looking at the
// learner) copy numbers and dial them; before each dial the program proposes a dial string,
// and after it learns again, as the program does on Dial. Printed per hundred calls: the share
// of proposals that were exactly what the user dialed, and the number of working rules; for
// a scenario with a change, the share from the tenth affected call on. Two learners: every
// pair ever dialed counting alike (the program before), and the one the program runs now.
//
// Then the cost of one dial (learning again and saving the history) and the history's memory
// at 1,000, 10,000 and 100,000 pairs of the steady office, for both.
//
//   learning_curve [CALLS]        (default 1000)
//
// LEARNING_CURVE_MISSES=1 lists every proposal the learner now got wrong;
// LEARNING_CURVE_RULES_AT=N lists its rules after call N of each scenario.

#include "allocation_counter.h"
#include "dialing_scenarios.h"

#include "capture/copied_text.h"
#include "capture/home_country.h"
#include "capture/number_reading.h"
#include "rules/dial_choices.h"
#include "rules/forgetting.h"
#include "rules/rule_learning.h"
#include "store/file_replace.h"
#include "store/history_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace vellix;
using vellix::bench::Call;
using vellix::bench::Scenario;

// Every pair ever dialed counts alike, and the whole history is written after every dial.
struct EveryPairLearner {
    PairList history;
    RuleSet working;

    void learn(const NumberPair& pair) {
        history.push_back(pair);
        working = deriveWorkingRules({}, history);
    }
    // The whole file, replaced as the program did, reading the old one through first.
    bool save() const {
        return replaceEditedFile(
            HISTORY_FILE,
            [](std::istream& file) {
                DialingHistory read;
                return readHistory(file, read);
            },
            [this](std::ostream& file) {
                for (const NumberPair& pair : history)
                    file << pair.copied.digitForm() << "  ->  " << pair.dialed.digitForm()
                         << "\r\n";
                return file.good();
            });
    }
};

// Recent pairs of each kind, overruled pairs forgotten; a dial appends one line.
struct RecentLearner {
    DialingHistory history;
    RuleSet working;
    NumberPair last;

    void learn(const NumberPair& pair) {
        if (!history.add(pair))
            return;
        last = pair;
        bool forgot = false;
        working = learnWorkingRules({}, history, forgot);
    }
    bool save() const { return appendToHistory(last); }
};

// The copied number as the program proposes it: read from the text, in the national form
// of the user's country (here the US).
PhoneNumber copiedNumber(const std::string& written) {
    CapturedNumberList numbers;
    if (!readCopiedText(written.data(), written.size(), true, numbers) || numbers.empty())
        return {};
    readInHomeCountry(numbers, "1");
    return numbers.front().number();
}

PhoneNumber dialedNumber(const std::string& dialed) {
    return PhoneNumber(readNumber(dialed, LetterCase::ANY).number);
}

std::string proposal(const PhoneNumber& number, RuleSet& working) {
    const DialChoices choices = dialChoicesFor(number, working);
    return choices.items.empty() ? std::string() : choices.items[choices.selected].digitForm();
}

NumberPair pairOf(const PhoneNumber& copied, const PhoneNumber& dialed) {
    NumberPair pair;
    pair.setNumbers(copied.text(), dialed.text());
    return pair;
}

struct Curve {
    std::vector<int> rightPerHundred;
    std::vector<std::size_t> rulesPerHundred;
    int affectedFromTenth = 0;
    int affectedFromTenthRight = 0;
    // Rewriting kinds (compareRewriteKind) among the pairs dialed since the change, or in the
    // second half without one: a rule can serve no more than one of them.
    std::size_t kindsDialed = 0;
};

template <typename Learner> Curve run(const Scenario& scenario) {
    Learner learner;
    Curve curve;
    int right = 0;
    int affected = 0;
    const std::size_t since = std::min(scenario.changeAt, scenario.calls.size() / 2);
    PairList recent;
    for (std::size_t i = 0; i < scenario.calls.size(); ++i) {
        const Call& call = scenario.calls[i];
        const PhoneNumber copied = copiedNumber(call.written);
        const PhoneNumber dialed = dialedNumber(call.dialed);
        const bool hit = copied.digitForm()[0] != '\0' &&
                         proposal(copied, learner.working) == dialed.digitForm();
        right += hit ? 1 : 0;
        if (!hit && std::getenv("LEARNING_CURVE_MISSES") != nullptr &&
            std::is_same_v<Learner, RecentLearner>)
            std::printf("    miss %zu: %s -> %s, proposed %s\n", i + 1, call.written.c_str(),
                        call.dialed.c_str(), proposal(copied, learner.working).c_str());
        if (call.affected && ++affected >= 10) {
            ++curve.affectedFromTenth;
            curve.affectedFromTenthRight += hit ? 1 : 0;
        }
        if (copied.digitForm()[0] != '\0') {
            const NumberPair pair = pairOf(copied, dialed);
            if (pair.isLearnable()) {
                learner.learn(pair);
                if (i >= since)
                    recent.push_back(pair);
            }
        }
        if (const char* at = std::getenv("LEARNING_CURVE_RULES_AT");
            at != nullptr && std::strtoul(at, nullptr, 10) == i + 1 &&
            std::is_same_v<Learner, RecentLearner>) {
            for (const DialingRule& rule : learner.working) {
                char replacement[DialingRule::REPLACEMENT_CAPACITY];
                rule.replacementText(replacement, sizeof replacement);
                std::printf("    rule %s as %s (%zu pairs%s)\n", rule.patternText(), replacement,
                            rule.support().size(), rule.isEnabled() ? "" : ", off");
            }
        }
        if ((i + 1) % 100 == 0) {
            curve.rightPerHundred.push_back(right);
            curve.rulesPerHundred.push_back(learner.working.size());
            right = 0;
        }
    }
    std::stable_sort(recent.begin(), recent.end(), rewriteKindGreater);
    curve.kindsDialed = static_cast<std::size_t>(
        std::distance(recent.begin(), std::unique(recent.begin(), recent.end(),
                                                  [](const NumberPair& a, const NumberPair& b) {
                                                      return compareRewriteKind(a, b) == 0;
                                                  })));
    return curve;
}

void printCurves(const Scenario& scenario) {
    const Curve before = run<EveryPairLearner>(scenario);
    const Curve after = run<RecentLearner>(scenario);
    std::printf("\n%s: %s (%zu ways of dialing", scenario.name.c_str(),
                scenario.description.c_str(), scenario.ways);
    if (scenario.changeAt < scenario.calls.size())
        std::printf(", change at call %zu", scenario.changeAt + 1);
    std::printf(")\n  calls      right before  rules before   right now  rules now\n");
    for (std::size_t h = 0; h < after.rightPerHundred.size(); ++h) {
        std::printf("  %4zu-%-4zu  %10d%%  %12zu  %9d%%  %9zu\n", h * 100 + 1, h * 100 + 100,
                    before.rightPerHundred[h], before.rulesPerHundred[h], after.rightPerHundred[h],
                    after.rulesPerHundred[h]);
    }
    std::printf("  rewriting kinds dialed in the second half: %zu\n", after.kindsDialed);
    if (after.affectedFromTenth > 0) {
        std::printf("  affected calls from the 10th on: right before %.0f%%, now %.0f%% (of %d)\n",
                    100.0 * before.affectedFromTenthRight / before.affectedFromTenth,
                    100.0 * after.affectedFromTenthRight / after.affectedFromTenth,
                    after.affectedFromTenth);
    }
}

// A steady office's history of the given length, as pairs the program learns from.
PairList steadyPairs(std::size_t pairs) {
    PairList out;
    out.reserve(pairs);
    std::uint32_t seed = 1;
    while (out.size() < pairs) {
        const std::vector<Scenario> scenarios = bench::dialingScenarios(pairs + 1000, seed++);
        for (const Call& call : scenarios.front().calls) {
            const NumberPair pair = pairOf(copiedNumber(call.written), dialedNumber(call.dialed));
            if (pair.isLearnable() && out.size() < pairs)
                out.push_back(pair);
        }
    }
    return out;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The median cost of one more dial (learn + save) over a few dials, and the heap the
// learner holds.
template <typename Learner> void measureDial(const PairList& history, const PairList& next) {
    const std::size_t before = bench::allocatedBytes();
    Learner learner;
    for (std::size_t i = 0; i + 1 < history.size(); ++i) {
        if constexpr (std::is_same_v<Learner, EveryPairLearner>)
            learner.history.push_back(history[i]);
        else
            learner.history.add(history[i]);
    }
    learner.learn(history.back());
    learner.save();
    const std::size_t held = bench::allocatedBytes() - before;
    std::vector<double> times;
    for (const NumberPair& pair : next) {
        const auto start = std::chrono::steady_clock::now();
        learner.learn(pair);
        if (!learner.save())
            std::printf("    (save failed)\n");
        times.push_back(millisecondsSince(start));
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "  %-9s %7zu pairs: one dial %8.3f ms (fastest %.3f, slowest %.3f), "
        "heap %6.1f MB, %5.0f bytes a pair, %zu rules\n",
        std::is_same_v<Learner, EveryPairLearner> ? "before" : "now", history.size(),
        times[times.size() / 2], times.front(), times.back(), static_cast<double>(held) / 1e6,
        static_cast<double>(held) / static_cast<double>(history.size()), learner.working.size());
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t calls = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000;
    for (const Scenario& scenario : bench::dialingScenarios(calls))
        printCurves(scenario);

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "vellix-learning-curve";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    std::printf("\nOne dial (learn again and save the history), steady office, median of 9:\n");
    const PairList next = steadyPairs(100009);
    const PairList extra(next.end() - 9, next.end());
    for (const std::size_t size : {std::size_t{1000}, std::size_t{10000}, std::size_t{100000}}) {
        const PairList history(next.begin(), next.begin() + static_cast<std::ptrdiff_t>(size));
        std::filesystem::remove(HISTORY_FILE);
        measureDial<EveryPairLearner>(history, extra);
        std::filesystem::remove(HISTORY_FILE);
        measureDial<RecentLearner>(history, extra);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
