#pragma once

#include "rules/number_pair.h"

#include <cstddef>
#include <cstdint>

namespace vellix::bench {

// An office's dialing history: mostly 4- and 5-digit internal dials of numbers in three local
// exchanges, a quarter long-distance dials with 9 1 in front, and a few odd ones. The same
// seed gives the same history everywhere.
PairList officeHistory(std::size_t pairs, std::uint32_t seed = 1);

// The learner's worst case: every pair has a dial prefix of its own, so no two pairs group.
PairList distinctPrefixHistory(std::size_t pairs, std::uint32_t seed = 1);

} // namespace vellix::bench
