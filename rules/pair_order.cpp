#include "rules/pair_order.h"

#include "capture/digit_string.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>

namespace vellix {

namespace {

// Room for any digit form a PhoneNumber makes, and for any dial prefix cut from one.
constexpr std::size_t SHORT_TEXT = PhoneNumber::MAX_TEXT_LENGTH + 1;

// Copies a NUL-terminated field into a short buffer; false when it does not fit. Pairs built
// by hand may hold longer texts; those are then sorted the slow way.
bool copyShort(const char* field, std::size_t capacity, char (&out)[SHORT_TEXT]) {
    const void* end = std::memchr(field, '\0', std::min(capacity, SHORT_TEXT));
    if (end == nullptr)
        return false;
    std::memcpy(out, field, static_cast<std::size_t>(static_cast<const char*>(end) - field) + 1);
    return true;
}

struct RewriteKindKey {
    // The shape of the copied digit form: its length, and a bit for each position holding a
    // pattern character, the first position in the highest bit. At equal lengths the masks
    // then compare as compareShape does.
    std::uint32_t length;
    std::uint32_t shape;
    std::int32_t sharedDigits;
    std::uint32_t position;
    char dialPrefix[SHORT_TEXT];
};

bool packRewriteKind(const NumberPair& pair, std::uint32_t position, RewriteKindKey& key) {
    char form[SHORT_TEXT];
    if (!copyShort(pair.copied.digitForm(), PhoneNumber::CAPACITY, form) ||
        !copyShort(pair.dialPrefix, sizeof pair.dialPrefix, key.dialPrefix))
        return false;
    key.length = static_cast<std::uint32_t>(std::strlen(form));
    key.shape = 0;
    for (std::uint32_t i = 0; i < key.length; ++i) {
        if (isPatternChar(form[i]))
            key.shape |= std::uint32_t{1} << (31 - i);
    }
    key.sharedDigits = pair.sharedDigits;
    key.position = position;
    return true;
}

// The same three-way order as compareRewriteKind.
int compareKeys(const RewriteKindKey& a, const RewriteKindKey& b) {
    if (a.length != b.length)
        return a.length > b.length ? 1 : -1;
    if (a.shape != b.shape)
        return a.shape > b.shape ? 1 : -1;
    const int prefix = std::strcmp(a.dialPrefix, b.dialPrefix);
    if (prefix != 0)
        return prefix > 0 ? 1 : -1;
    return a.sharedDigits - b.sharedDigits;
}

struct DigitFormKey {
    char digitForm[SHORT_TEXT];
    std::uint32_t position;
};

template <typename Greater>
std::vector<std::size_t> positionsSortedBy(const PairList& pairs, Greater greater) {
    std::vector<std::size_t> order(pairs.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&pairs, &greater](std::size_t a, std::size_t b) {
        return greater(pairs[a], pairs[b]);
    });
    return order;
}

template <typename Key> std::vector<std::size_t> positionsOf(const std::vector<Key>& keys) {
    std::vector<std::size_t> order;
    order.reserve(keys.size());
    for (const Key& key : keys)
        order.push_back(key.position);
    return order;
}

} // namespace

std::vector<std::size_t> rewriteKindOrder(const PairList& pairs) {
    if (pairs.size() > UINT32_MAX)
        return positionsSortedBy(pairs, rewriteKindGreater);
    std::vector<RewriteKindKey> keys(pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (!packRewriteKind(pairs[i], static_cast<std::uint32_t>(i), keys[i]))
            return positionsSortedBy(pairs, rewriteKindGreater);
    }
    std::stable_sort(
        keys.begin(), keys.end(),
        [](const RewriteKindKey& a, const RewriteKindKey& b) { return compareKeys(a, b) > 0; });
    return positionsOf(keys);
}

std::vector<std::size_t> copiedDescendingOrder(const PairList& pairs) {
    const auto copiedGreater = [](const NumberPair& a, const NumberPair& b) {
        return digitFormGreater(a.copied, b.copied);
    };
    if (pairs.size() > UINT32_MAX)
        return positionsSortedBy(pairs, copiedGreater);
    std::vector<DigitFormKey> keys(pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (!copyShort(pairs[i].copied.digitForm(), PhoneNumber::CAPACITY, keys[i].digitForm))
            return positionsSortedBy(pairs, copiedGreater);
        keys[i].position = static_cast<std::uint32_t>(i);
    }
    // Byte order with bytes as unsigned, as digitFormGreater compares.
    std::stable_sort(keys.begin(), keys.end(), [](const DigitFormKey& a, const DigitFormKey& b) {
        return std::strcmp(a.digitForm, b.digitForm) > 0;
    });
    return positionsOf(keys);
}

} // namespace vellix
