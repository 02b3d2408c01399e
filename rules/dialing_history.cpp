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
    if (added)
        inView_.push_back(0);
    entry.kind = kind->second;
    entries_.push_back(entry);
    if (viewStale_)
        return true;

    // The kind's oldest pair in view makes way for the new one.
    if (inView_[entry.kind] == RECENT_PER_KIND) {
        for (std::size_t i = 0; i < viewPositions_.size(); ++i) {
            if (entries_[viewPositions_[i]].kind == entry.kind) {
                view_.erase(view_.begin() + static_cast<std::ptrdiff_t>(i));
                viewPositions_.erase(viewPositions_.begin() + static_cast<std::ptrdiff_t>(i));
                --inView_[entry.kind];
                break;
            }
        }
    }
    view_.push_back(*stored);
    viewPositions_.push_back(entries_.size() - 1);
    ++inView_[entry.kind];
    return true;
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
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (i < dropped.size() && dropped[i])
            continue;
        entries_[kept++] = entries_[i];
    }
    entries_.resize(kept);
    rebuildView();
}

void DialingHistory::clear() {
    viewStale_ = false;
    entries_.clear();
    kinds_.clear();
    inView_.clear();
    view_.clear();
    viewPositions_.clear();
}

void DialingHistory::rebuildView() const {
    viewStale_ = false;
    std::fill(inView_.begin(), inView_.end(), 0);
    viewPositions_.clear();
    for (std::size_t i = entries_.size(); i-- > 0;) {
        std::uint32_t& count = inView_[entries_[i].kind];
        if (count < RECENT_PER_KIND) {
            ++count;
            viewPositions_.push_back(i);
        }
    }
    std::reverse(viewPositions_.begin(), viewPositions_.end());
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
