#include "rules/pair_order.h"

#include "rule_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace vellix {
namespace {

template <typename Greater>
std::vector<std::size_t> stableOrder(const PairList& pairs, Greater greater) {
    std::vector<std::size_t> order(pairs.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return greater(pairs[a], pairs[b]); });
    return order;
}

bool copiedGreater(const NumberPair& a, const NumberPair& b) {
    return digitFormGreater(a.copied, b.copied);
}

// Histories with many ties, odd shapes and repeated numbers, so that the stability of the
// order shows.
PairList variedHistory(std::uint32_t seed) {
    test::HistoryGenerator generator(seed, 40, 60);
    PairList pairs = generator.history(2000);
    pairs.push_back(test::pairOf("*67 555-1212#", "#1212"));
    pairs.push_back(test::pairOf("1234567890123456789012", "9 1234567890123456789012"));
    return pairs;
}

TEST(PairOrder, SortsByRewritingKindAsAStableSortOfThePairs) {
    for (std::uint32_t seed : {1U, 2U, 3U}) {
        const PairList pairs = variedHistory(seed);
        EXPECT_EQ(rewriteKindOrder(pairs), stableOrder(pairs, rewriteKindGreater)) << seed;
    }
}

TEST(PairOrder, SortsByCopiedDigitFormAsAStableSortOfThePairs) {
    for (std::uint32_t seed : {1U, 2U, 3U}) {
        const PairList pairs = variedHistory(seed);
        EXPECT_EQ(copiedDescendingOrder(pairs), stableOrder(pairs, copiedGreater)) << seed;
    }
}

// A pair filled in by hand may carry a dial prefix longer than any number; the order
// still comes out right.
TEST(PairOrder, OrdersHandMadePairsWithLongPrefixes) {
    PairList pairs = variedHistory(4);
    NumberPair odd = test::pairOf("412 268 1234", "8 1234");
    std::fill(odd.dialPrefix, odd.dialPrefix + 60, '9');
    odd.dialPrefix[60] = '\0';
    pairs.insert(pairs.begin() + 5, odd);
    EXPECT_EQ(rewriteKindOrder(pairs), stableOrder(pairs, rewriteKindGreater));
}

TEST(PairOrder, OrdersNoPairs) {
    EXPECT_TRUE(rewriteKindOrder({}).empty());
    EXPECT_TRUE(copiedDescendingOrder({}).empty());
}

} // namespace
} // namespace vellix
