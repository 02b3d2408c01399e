// The history reader over untrusted files, and the round trip of what it reads.

#include "fuzz_input.h"

#include "store/history_file.h"

#include <cstring>
#include <sstream>
#include <string>

using vellix::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    vellix::PairList history;
    check(vellix::readHistory(file, history));
    bool allFit = true;
    for (const vellix::NumberPair& pair : history) {
        check(pair.copied.digitForm()[0] != '\0' && pair.dialed.digitForm()[0] != '\0');
        // Longer digit forms are written but not read back.
        allFit = allFit && std::strlen(pair.copied.digitForm()) <= 21 &&
                 std::strlen(pair.dialed.digitForm()) <= 22;
    }

    std::ostringstream saved;
    check(vellix::writeHistory(saved, history));
    std::istringstream again(saved.str());
    vellix::PairList reread;
    vellix::readHistory(again, reread);
    if (allFit) {
        check(reread.size() == history.size());
        for (std::size_t i = 0; i < history.size(); ++i) {
            check(std::strcmp(reread[i].copied.digitForm(), history[i].copied.digitForm()) == 0);
            check(std::strcmp(reread[i].dialed.digitForm(), history[i].dialed.digitForm()) == 0);
            check(std::strcmp(reread[i].dialPrefix, history[i].dialPrefix) == 0);
            check(reread[i].sharedDigits == history[i].sharedDigits);
        }
    }
    return 0;
}
