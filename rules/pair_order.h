#pragma once

#include "rules/number_pair.h"

#include <cstddef>
#include <vector>

namespace vellix {

// Positions of the pairs in the order a stable sort would give them. Pairs are large and a
// long history spans far more than the caches, so these sort small keys copied out of the
// pairs instead of comparing the pairs where they lie.

// By rewriting kind, greatest first (rewriteKindGreater).
std::vector<std::size_t> rewriteKindOrder(const PairList& pairs);
// By copied digit form, greatest first (digitFormGreater).
std::vector<std::size_t> copiedDescendingOrder(const PairList& pairs);

} // namespace vellix
