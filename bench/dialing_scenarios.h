#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vellix::bench {

// One call: the number as the user copied it (written as people write numbers: "(412) 268-1234",
// "412.268.1234", "+1 412 268 1234", "1-650-555-0100", "+44 20 7946 0123", ...) and the string the
// user dialed for it (digits, blanks, and possibly '*', '#', e.g. "8 1234", "9 1 650 555 0100").
struct Call {
    std::string written;
    std::string dialed;
    // True for a call the change in the scenario affects (dialed differently than before the
    // change would have been); false before the change and for kinds of numbers the change leaves
    // alone.
    bool affected = false;
};

struct Scenario {
    std::string name;        // short, e.g. "steady office"
    std::string description; // one sentence
    std::size_t
        changeAt; // index of the first call after the change; calls.size() when there is none
    // How many distinct ways of dialing the user uses after the change (e.g. internal, local, long
    // distance, international = 4), counting each systematic way once and each exception kind (like
    // *67 in front) once.
    std::size_t ways;
    std::vector<Call> calls;
};

// The scenarios, each `calls` long, from a fixed seed: the same seed gives the same calls
// everywhere.
std::vector<Scenario> dialingScenarios(std::size_t calls, std::uint32_t seed = 1);

} // namespace vellix::bench
