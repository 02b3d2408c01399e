#include "rules/dialing_history.h"

#include "capture/digit_string.h"

#include <algorithm>
#include <cstring>

namespace vellix {

namespace {

// The fields compareRewriteKind compares, as one text: the copied number's shape, the dial
// prefix and the count of kept characters.
std::string kindKey(const NumberPair& pair) {
    std::string key = pair.copied.digitForm();
    for (char& c : key) {
        if (isPatternChar(c))
            c = 'x';
    }
    key += '\n';
    key += pair.dialPrefix;
    key += '\n';
    key += std::to_string(pair.sharedDigits);
    return key;
}

bool copyForm(const char* form, char (&out)[DialingHistory::FORM_CAPACITY]) {
    const std::size_t length = std::strlen(form);
    if (length >= DialingHistory::FORM_CAPACITY)
        return false;
    std::memcpy(out, form, length + 1);
    return true;
}

} // namespace

bool DialingHistory::add(const NumberPair& pair) {
    Entry entry{};
    if (!pair.isLearnable() || !copyForm(pair.copied.digitForm(), entry.copied) ||
        !copyForm(pair.dialed.digitForm(), entry.dialed))
        return false;
    // The view holds the pair as it reads back from the history: read from its digit forms.
    NumberPair reread;
    const NumberPair* stored = &pair;
    if (std::strcmp(pair.copied.text(), entry.copied) != 0 ||
        std::strcmp(pair.dialed.text(), entry.dialed) != 0) {
        if (!reread.setNumbers(entry.copied, entry.dialed).isLearnable())
            return false;
        stored = &reread;
    }
    const auto [kind, added] =
        kinds_.try_emplace(kindKey(*stored), static_cast<std::uint32_t>(kinds_.size()));
    if (added) {
        counts_.push_back(0);
        latest_.push_back(0);
    }
    entry.kind = kind->second;
    const bool wasInWindow = !added && inWindow(entry.kind, entries_.size());
    entries_.push_back(entry);
    ++counts_[entry.kind];
    latest_[entry.kind] = entries_.size() - 1;
    if (viewStale_)
        return true;
    // A kind that comes back, or one whose last pair in the window has just left it, is seen
    // differently from now on: the view is made again, which happens seldom.
    const std::size_t size = entries_.size();
    const bool leaves = size > LEARNING_WINDOW;
    const std::size_t left = leaves ? size - 1 - LEARNING_WINDOW : 0;
    if ((!added && !wasInWindow) || (leaves && !inWindow(entries_[left].kind, size))) {
        viewStale_ = true;
        return true;
    }
    view_.push_back(*stored);
    viewPositions_.push_back(size - 1);
    if (leaves) {
        const auto at = std::lower_bound(viewPositions_.begin(), viewPositions_.end(), left);
        if (at != viewPositions_.end() && *at == left) {
            view_.erase(view_.begin() + (at - viewPositions_.begin()));
            viewPositions_.erase(at);
        }
    }
    return true;
}

bool DialingHistory::inWindow(std::uint32_t kind, std::size_t size) const {
    return size <= LEARNING_WINDOW || latest_[kind] >= size - LEARNING_WINDOW;
}

const PairList& DialingHistory::learningPairs() const {
    if (viewStale_)
        rebuildView();
    return view_;
}

const std::vector<std::size_t>& DialingHistory::learningPositions() const {
    if (viewStale_)
        rebuildView();
    return viewPositions_;
}

void DialingHistory::reserve(std::size_t pairs) {
    entries_.reserve(entries_.size() + pairs);
    viewStale_ = true;
}

NumberPair DialingHistory::pairAt(std::size_t position) const {
    NumberPair pair;
    pair.setNumbers(entries_[position].copied, entries_[position].dialed);
    return pair;
}

std::optional<std::uint32_t> DialingHistory::kindOf(const NumberPair& pair) const {
    const auto found = kinds_.find(kindKey(pair));
    if (found == kinds_.end())
        return std::nullopt;
    return found->second;
}

void DialingHistory::forget(const std::vector<bool>& dropped) {
    std::size_t kept = 0;
    std::fill(counts_.begin(), counts_.end(), 0);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (i < dropped.size() && dropped[i])
            continue;
        ++counts_[entries_[i].kind];
        latest_[entries_[i].kind] = kept;
        entries_[kept++] = entries_[i];
    }
    entries_.resize(kept);
    rebuildView();
}

void DialingHistory::rebuildView() const {
    viewStale_ = false;
    const std::size_t size = entries_.size();
    const std::size_t start = size > LEARNING_WINDOW ? size - LEARNING_WINDOW : 0;
    viewPositions_.clear();
    // Before the window, the latest pairs of each kind dialed more than once and not since.
    std::vector<std::uint32_t> taken(counts_.size(), 0);
    for (std::size_t i = start; i-- > 0;) {
        const std::uint32_t kind = entries_[i].kind;
        if (counts_[kind] > 1 && !inWindow(kind, size) && taken[kind] < PAIRS_OF_AN_EARLIER_KIND) {
            ++taken[kind];
            viewPositions_.push_back(i);
        }
    }
    std::reverse(viewPositions_.begin(), viewPositions_.end());
    for (std::size_t i = start; i < size; ++i)
        viewPositions_.push_back(i);
    view_.clear();
    view_.reserve(viewPositions_.size());
    for (const std::size_t position : viewPositions_)
        view_.push_back(pairAt(position));
}

PairList pairsOf(const DialingHistory& history) {
    PairList pairs;
    pairs.reserve(history.size());
    for (std::size_t i = 0; i < history.size(); ++i)
        pairs.push_back(history.pairAt(i));
    return pairs;
}

DialingHistory historyOf(const PairList& pairs) {
    DialingHistory history;
    history.reserve(pairs.size());
    for (const NumberPair& pair : pairs)
        history.add(pair);
    return history;
}

} // namespace vellix
