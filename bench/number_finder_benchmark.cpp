// Finding the numbers in a copied text, beside libphonenumber's matcher (region "US",
// leniency VALID) on the same texts: texts of about 200 B, 4 KiB, 16 KiB and 64 KiB made of
// the corpus's texts one after another, and one pass over the whole corpus, which also
// counts how right each is. Each takes a text as it comes: libphonenumber in UTF-8, the finder
// as the clipboard's UTF-16, its time including the folding to UTF-8 (dashes, blanks and
// full-width forms as ASCII) that the program does to every copy.
// Two kinds of long text: all the corpus's texts, where the finder stops at its 32nd number,
// and only those without a number, which both search to the end. The same pass over a second
// corpus, written by someone who never read the finder, says how it does on texts nobody
// tuned it to, and a third, written after the finder was reworked for the second, which it never
// saw.

#include "capture/copied_text.h"
#include "capture/number_finder.h"
#include "capture/phone_number.h"
#include "capture/unicode_text.h"
#include "tests/capture/number_corpus.h"

#include <benchmark/benchmark.h>
#include <phonenumbers/phonenumbermatch.h>
#include <phonenumbers/phonenumbermatcher.h>
#include <phonenumbers/phonenumberutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace {

using i18n::phonenumbers::PhoneNumberMatch;
using i18n::phonenumbers::PhoneNumberMatcher;
using i18n::phonenumbers::PhoneNumberUtil;

enum class Texts { ALL, WITHOUT_NUMBERS };

// The corpus the finder was written with; six written without looking at the finder, which
// it was then worked on with in turn; and one written meanwhile, whose cases nobody reads.
enum class Corpus { FINDER, INDEPENDENT, HOLDOUT, UNSEEN, BLIND, FRESH, SEVENTH, EIGHTH };

const std::vector<vellix::corpus::Case>& corpus(Corpus which = Corpus::FINDER) {
    using vellix::corpus::load;
    static const std::vector<vellix::corpus::Case> cases[] = {
        load(VELLIX_NUMBER_CORPUS),  load(VELLIX_INDEPENDENT_CORPUS), load(VELLIX_HOLDOUT_CORPUS),
        load(VELLIX_UNSEEN_CORPUS),  load(VELLIX_BLIND_CORPUS),       load(VELLIX_FRESH_CORPUS),
        load(VELLIX_SEVENTH_CORPUS), load(VELLIX_EIGHTH_CORPUS)};
    // One entry for each corpus, so that none is left empty.
    static_assert(std::size(cases) == static_cast<std::size_t>(Corpus::EIGHTH) + 1);
    return cases[static_cast<int>(which)];
}

// A copied text in the encodings the finders take.
struct Copy {
    explicit Copy(std::string text) : utf8(std::move(text)), utf16(vellix::toUtf16(utf8)) {}
    std::string utf8;
    std::u16string utf16;
};

const std::vector<Copy>& copies(Corpus which) {
    static std::vector<Copy> made[static_cast<int>(Corpus::EIGHTH) + 1];
    std::vector<Copy>& texts = made[static_cast<int>(which)];
    if (texts.empty()) {
        for (const vellix::corpus::Case& c : corpus(which))
            texts.emplace_back(c.text);
    }
    return texts;
}

// The corpus's texts one after another, cut to size bytes.
std::string textOfSize(std::size_t size, Texts texts) {
    const std::vector<vellix::corpus::Case>& cases = corpus();
    std::string text;
    for (std::size_t i = 0; text.size() < size; ++i) {
        const vellix::corpus::Case& c = cases[i % cases.size()];
        if (texts == Texts::ALL || c.numbers.empty())
            text += c.text + "\r\n\r\n";
    }
    text.resize(size);
    return text;
}

std::size_t findWithVellix(const Copy& text, std::vector<std::string>* numbers) {
    vellix::CapturedNumberList found;
    const std::string folded = vellix::foldCopiedText(text.utf16);
    vellix::findNumbers(folded.data(), folded.size(), found);
    if (numbers != nullptr) {
        for (const vellix::CapturedNumber& entry : found)
            numbers->emplace_back(entry.number().text());
    }
    return found.size();
}

// Each match's text as written, without the extension the matcher takes in.
std::size_t findWithLibphonenumber(const Copy& text, std::vector<std::string>* numbers) {
    PhoneNumberMatcher matcher(*PhoneNumberUtil::GetInstance(), text.utf8, "US",
                               PhoneNumberMatcher::VALID, std::numeric_limits<int>::max());
    std::size_t count = 0;
    PhoneNumberMatch match;
    while (matcher.HasNext() && matcher.Next(&match)) {
        ++count;
        if (numbers == nullptr)
            continue;
        std::string written = match.raw_string();
        const std::string& extension = match.number().extension();
        if (!extension.empty()) {
            const std::size_t at = written.rfind(extension);
            if (at != std::string::npos)
                written.erase(at);
        }
        numbers->push_back(written);
    }
    return count;
}

using Finder = std::size_t (*)(const Copy&, std::vector<std::string>*);

void findInText(benchmark::State& state, Finder find, Texts texts) {
    const Copy text(textOfSize(static_cast<std::size_t>(state.range(0)), texts));
    for (auto _ : state)
        benchmark::DoNotOptimize(find(text, nullptr));
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void BM_FindNumbers(benchmark::State& state) {
    findInText(state, findWithVellix, Texts::ALL);
}

void BM_FindNumbersLibphonenumber(benchmark::State& state) {
    findInText(state, findWithLibphonenumber, Texts::ALL);
}

void BM_FindNoNumbers(benchmark::State& state) {
    findInText(state, findWithVellix, Texts::WITHOUT_NUMBERS);
}

void BM_FindNoNumbersLibphonenumber(benchmark::State& state) {
    findInText(state, findWithLibphonenumber, Texts::WITHOUT_NUMBERS);
}

// The digits a number's text dials, read as the program reads it: vanity letters as their
// keys, an extension left out. A page's no-break space in a corpus's text is a blank.
std::string digitsOf(std::string text) {
    text = vellix::corpus::folded(text);
    for (std::size_t at = text.find("&nbsp;"); at != std::string::npos; at = text.find("&nbsp;"))
        text.replace(at, 6, " ");
    const vellix::PhoneNumber number(text.c_str());
    const char* read = number.digitForm()[0] != '\0' ? number.digitForm() : text.c_str();
    std::string digits;
    for (const char* c = read; *c != '\0'; ++c) {
        if (*c >= '0' && *c <= '9')
            digits.push_back(*c);
    }
    return digits;
}

// One pass over the corpus. A found number is right when the digits it dials are those of a number
// the text holds that was not found already; precision is the share of found numbers that
// are right, recall the share of the corpus's numbers that were found.
void corpusPass(benchmark::State& state, Finder find, Corpus which = Corpus::FINDER) {
    const std::vector<vellix::corpus::Case>& cases = corpus(which);
    const std::vector<Copy>& texts = copies(which);
    for (auto _ : state) {
        for (const Copy& text : texts)
            benchmark::DoNotOptimize(find(text, nullptr));
    }
    double right = 0;
    double found = 0;
    double expected = 0;
    double withoutNumber = 0;
    double foundWithoutNumber = 0;
    for (const vellix::corpus::Case& c : cases) {
        std::vector<std::string> wanted;
        for (const vellix::corpus::Expected& number : c.numbers)
            wanted.push_back(digitsOf(number.text));
        std::vector<std::string> numbers;
        find(texts[static_cast<std::size_t>(&c - cases.data())], &numbers);
        expected += static_cast<double>(wanted.size());
        found += static_cast<double>(numbers.size());
        if (wanted.empty()) {
            ++withoutNumber;
            foundWithoutNumber += static_cast<double>(numbers.size());
        }
        std::string wrong;
        for (const std::string& number : numbers) {
            bool matched = false;
            for (std::string& w : wanted) {
                if (!w.empty() && w == digitsOf(number)) {
                    ++right;
                    w.clear();
                    matched = true;
                    break;
                }
            }
            if (!matched)
                wrong += " [" + number + "]";
        }
        // FINDER_FAULTS=1 lists, text by text, what the pass counted against the finder.
        if (std::getenv("FINDER_FAULTS") != nullptr && find == findWithVellix) {
            std::string missed;
            for (const vellix::corpus::Expected& number : c.numbers) {
                const std::string digits = digitsOf(number.text);
                if (std::find(wanted.begin(), wanted.end(), digits) != wanted.end())
                    missed += " [" + number.text + "]";
            }
            if (!wrong.empty() || !missed.empty())
                std::printf("text %zu: %.60s\n  wrong:%s\n  missed:%s\n",
                            static_cast<std::size_t>(&c - cases.data()) + 1, c.text.c_str(),
                            wrong.c_str(), missed.c_str());
        }
    }
    state.counters["texts"] = static_cast<double>(cases.size());
    state.counters["numbers"] = expected;
    state.counters["found"] = found;
    state.counters["right"] = right;
    state.counters["precision"] = found > 0 ? right / found : 0;
    state.counters["recall"] = expected > 0 ? right / expected : 0;
    state.counters["wrong/no-number text"] =
        withoutNumber > 0 ? foundWithoutNumber / withoutNumber : 0;
}

// Of the numbers found right, the share whose label and kind are the corpus's: the label as
// written before the number (or its column's heading), empty where nothing names it.
void countLabels(benchmark::State& state, Corpus which) {
    double right = 0;
    double labelled = 0;
    double kinds = 0;
    for (const vellix::corpus::Case& c : corpus(which)) {
        vellix::CapturedNumberList found;
        const std::string text = vellix::corpus::folded(c.text);
        vellix::findNumbers(text.data(), text.size(), found);
        std::vector<bool> taken(c.numbers.size());
        for (const vellix::CapturedNumber& entry : found) {
            for (std::size_t k = 0; k < c.numbers.size(); ++k) {
                if (taken[k] || digitsOf(c.numbers[k].text) != digitsOf(entry.number().text()))
                    continue;
                taken[k] = true;
                ++right;
                labelled += c.numbers[k].label == entry.label() ? 1 : 0;
                kinds += c.numbers[k].kind == entry.kind() ? 1 : 0;
                break;
            }
        }
    }
    state.counters["label as written"] = right > 0 ? labelled / right : 0;
    state.counters["kind"] = right > 0 ? kinds / right : 0;
}

// One pass over a corpus by each finder, the finder's with its labels counted too.
template <Corpus which> void BM_CorpusVellix(benchmark::State& state) {
    corpusPass(state, findWithVellix, which);
    countLabels(state, which);
}

template <Corpus which> void BM_CorpusLibphonenumber(benchmark::State& state) {
    corpusPass(state, findWithLibphonenumber, which);
}

} // namespace

BENCHMARK(BM_FindNumbers)->Arg(200)->Arg(4096)->Arg(16384)->Arg(65536)->Complexity(benchmark::oN);
BENCHMARK(BM_FindNumbersLibphonenumber)
    ->Arg(200)
    ->Arg(4096)
    ->Arg(16384)
    ->Arg(65536)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_FindNoNumbers)->Arg(200)->Arg(4096)->Arg(16384)->Arg(65536)->Complexity(benchmark::oN);
BENCHMARK(BM_FindNoNumbersLibphonenumber)
    ->Arg(200)
    ->Arg(4096)
    ->Arg(16384)
    ->Arg(65536)
    ->Complexity(benchmark::oN);
// Under the names BENCHMARKS.md quotes.
BENCHMARK_TEMPLATE(BM_CorpusVellix, Corpus::FINDER)->Name("BM_FindNumbersCorpus");
BENCHMARK_TEMPLATE(BM_CorpusLibphonenumber, Corpus::FINDER)
    ->Name("BM_FindNumbersCorpusLibphonenumber");
BENCHMARK_TEMPLATE(BM_CorpusVellix, Corpus::INDEPENDENT)->Name("BM_FindNumbersIndependentCorpus");
BENCHMARK_TEMPLATE(BM_CorpusLibphonenumber, Corpus::INDEPENDENT)
    ->Name("BM_FindNumbersIndependentCorpusLibphonenumber");
BENCHMARK_TEMPLATE(BM_CorpusVellix, Corpus::HOLDOUT)->Name("BM_FindNumbersHoldoutCorpus");
BENCHMARK_TEMPLATE(BM_CorpusLibphonenumber, Corpus::HOLDOUT)
    ->Name("BM_FindNumbersHoldoutCorpusLibphonenumber");
BENCHMARK_TEMPLATE(BM_CorpusVellix, Corpus::UNSEEN)->Name("BM_FindNumbersUnseenCorpus");
BENCHMARK_TEMPLATE(BM_CorpusLibphonenumber, Corpus::UNSEEN)
    ->Name("BM_FindNumbersUnseenCorpusLibphonenumber");
BENCHMARK_TEMPLATE(BM_CorpusVellix, Corpus::BLIND)->Name("BM_FindNumbersBlindCorpus");
BENCHMARK_TEMPLATE(BM_CorpusLibphonenumber, Corpus::BLIND)
    ->Name("BM_FindNumbersBlindCorpusLibphonenumber");
BENCHMARK_TEMPLATE(BM_CorpusVellix, Corpus::FRESH)->Name("BM_FindNumbersFreshCorpus");
BENCHMARK_TEMPLATE(BM_CorpusLibphonenumber, Corpus::FRESH)
    ->Name("BM_FindNumbersFreshCorpusLibphonenumber");
BENCHMARK_TEMPLATE(BM_CorpusVellix, Corpus::SEVENTH)->Name("BM_FindNumbersSeventhCorpus");
BENCHMARK_TEMPLATE(BM_CorpusLibphonenumber, Corpus::SEVENTH)
    ->Name("BM_FindNumbersSeventhCorpusLibphonenumber");
BENCHMARK_TEMPLATE(BM_CorpusVellix, Corpus::EIGHTH)->Name("BM_FindNumbersEighthCorpus");
BENCHMARK_TEMPLATE(BM_CorpusLibphonenumber, Corpus::EIGHTH)
    ->Name("BM_FindNumbersEighthCorpusLibphonenumber");
