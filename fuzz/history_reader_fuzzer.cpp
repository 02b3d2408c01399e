// The history reader over untrusted files: what it reads round-trips, and a damaged line
// never takes a readable one with it.

#include "fuzz_input.h"

#include "store/history_file.h"

#include <cstring>
#include <sstream>
#include <string>

using vellix::fuzz::check;

namespace {

const std::string READABLE = "412-268-1234  ->  8 1234";

bool samePairs(const vellix::NumberPair& a, const vellix::NumberPair& b) {
    return std::strcmp(a.copied.digitForm(), b.copied.digitForm()) == 0 &&
           std::strcmp(a.dialed.digitForm(), b.dialed.digitForm()) == 0 &&
           std::strcmp(a.dialPrefix, b.dialPrefix) == 0 && a.sharedDigits == b.sharedDigits;
}

bool read(const std::string& bytes, vellix::PairList& history) {
    std::istringstream file(bytes);
    vellix::DialingHistory read;
    const bool whole = vellix::readHistory(file, read);
    history = vellix::pairsOf(read);
    return whole;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    vellix::PairList history;
    const bool everyLineRead = read(input, history);
    for (const vellix::NumberPair& pair : history)
        check(pair.isLearnable());

    // Everything read is written so that it reads back whole and the same.
    std::ostringstream saved;
    check(vellix::writeHistory(saved, vellix::historyOf(history)));
    vellix::PairList reread;
    check(read(saved.str(), reread));
    check(reread.size() == history.size());
    for (std::size_t i = 0; i < history.size(); ++i)
        check(samePairs(reread[i], history[i]));

    // Readable lines before and after the input are read whatever the input holds.
    vellix::PairList framed;
    check(read(READABLE + "\n" + input + "\n" + READABLE, framed) == everyLineRead);
    check(framed.size() == history.size() + 2);
    check(samePairs(framed.front(), framed.back()) &&
          std::strcmp(framed.front().copied.digitForm(), "412 268 1234") == 0);
    for (std::size_t i = 0; i < history.size(); ++i)
        check(samePairs(framed[i + 1], history[i]));
    return 0;
}
