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
// digit forms and the number of its rewriting kind (compareRewriteKind). Learning sees the
// pairs of the latest LEARNING_WINDOW dials, and of each kind not dialed among them its latest
// few pairs (learningPairs): so a dial costs as much after years of dialing as on the first
// day, while within the window every kind weighs as much as the user dials it.
class DialingHistory {
public:
    static constexpr std::size_t LEARNING_WINDOW = 1000;
    // A kind not dialed in the window keeps this many of its latest pairs in view; one dialed
    // only once (a misdial) leaves learning with the window.
    static constexpr std::uint32_t PAIRS_OF_AN_EARLIER_KIND = 10;
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

    // The pairs learning sees, in the order they were dialed, and the position of each in
    // the history.
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
    // Whether the kind was dialed within the window of a history of the given size.
    bool inWindow(std::uint32_t kind, std::size_t size) const;

    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::uint32_t> kinds_;
    // Per kind, its pairs in the history and the position of its latest one.
    std::vector<std::uint32_t> counts_;
    std::vector<std::size_t> latest_;
    // The view follows every add unless it is stale.
    mutable PairList view_;
    mutable std::vector<std::size_t> viewPositions_;
    mutable bool viewStale_ = false;
};

// Every pair of the history, expanded, in order.
PairList pairsOf(const DialingHistory& history);
// A history of the learnable ones of the pairs, in their order.
DialingHistory historyOf(const PairList& pairs);

} // namespace vellix
