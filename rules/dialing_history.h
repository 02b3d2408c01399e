#pragma once

#include "capture/phone_number.h"
#include "rules/number_pair.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vellix {

// The dialing history, in the order the pairs were dialed, held compactly: a pair is its two
// digit forms and the number of its rewriting kind (compareRewriteKind). Learning sees of
// each kind only its most recent pairs (learningPairs): older ones of a kind teach nothing
// the recent ones do not, and without them a dial costs as much after years of dialing as on
// the first day.
class DialingHistory {
public:
    // Pairs of one rewriting kind that learning sees.
    static constexpr std::uint32_t RECENT_PER_KIND = 100;
    static constexpr std::size_t FORM_CAPACITY = PhoneNumber::MAX_TEXT_LENGTH + 1;

    struct Entry {
        char copied[FORM_CAPACITY];
        char dialed[FORM_CAPACITY];
        std::uint32_t kind;
    };

    // Adds a learnable pair at the end; false, with nothing added, for any other.
    bool add(const NumberPair& pair);

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const Entry& operator[](std::size_t position) const { return entries_[position]; }
    // The pair as learning sees it: each number's text is its digit form.
    NumberPair pairAt(std::size_t position) const;

    // Of every kind its RECENT_PER_KIND most recent pairs, in the order they were dialed, and
    // the position of each in the history.
    const PairList& learningPairs() const;
    const std::vector<std::size_t>& learningPositions() const;

    // The number of the pair's kind; none when no pair of that kind was ever added.
    std::optional<std::uint32_t> kindOf(const NumberPair& pair) const;

    // Drops the pairs at the positions marked; the rest keep their order.
    void forget(const std::vector<bool>& dropped);
    void clear();
    // Room for many pairs added at once, as from a file: the learning pairs are then made
    // once, when next asked for, instead of after every pair.
    void reserve(std::size_t pairs);

private:
    void rebuildView() const;

    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::uint32_t> kinds_;
    // Per kind, its pairs in view. The view follows every add unless it is stale.
    mutable std::vector<std::uint32_t> inView_;
    mutable PairList view_;
    mutable std::vector<std::size_t> viewPositions_;
    mutable bool viewStale_ = false;
};

// Every pair of the history, expanded, in order.
PairList pairsOf(const DialingHistory& history);
// A history of the learnable ones of the pairs, in their order.
DialingHistory historyOf(const PairList& pairs);

} // namespace vellix
