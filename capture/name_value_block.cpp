#include "capture/name_value_block.h"

#include <cstring>

namespace vellix {

namespace {

struct LabelledField {
    const char* name;
    std::int32_t kind;
};

// The order in which entries are added, and so the order of the number menu.
constexpr LabelledField LABELLED_FIELDS[] = {
    {"Work phone", KIND_GENERAL}, {"Phone", KIND_GENERAL}, {"Cell phone", KIND_CELL},
    {"Home phone", KIND_HOME},    {"Pager", KIND_GENERAL}, {"Fax", KIND_GENERAL},
};

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringAsciiCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (foldAscii(*a) != foldAscii(*b))
            return false;
    }
    return *a == *b;
}

} // namespace

std::vector<NameValuePair> parseNameValuePairs(const char* block, std::int32_t size) {
    std::vector<NameValuePair> pairs;
    if (block == nullptr || size <= 0)
        return pairs;
    const char* end = block + size;
    const char* name = nullptr;
    for (const char* p = block; p < end;) {
        const auto* nul =
            static_cast<const char*>(std::memchr(p, '\0', static_cast<std::size_t>(end - p)));
        if (nul == nullptr)
            break;
        if (name == nullptr) {
            name = p;
        } else {
            pairs.push_back({name, p});
            name = nullptr;
        }
        p = nul + 1;
    }
    return pairs;
}

const char* findValue(const std::vector<NameValuePair>& pairs, const char* name) {
    if (name == nullptr)
        return nullptr;
    for (const NameValuePair& pair : pairs) {
        if (equalsIgnoringAsciiCase(pair.name, name))
            return pair.value;
    }
    return nullptr;
}

bool collectLabelledNumbers(const std::vector<NameValuePair>& pairs, CapturedNumberList& out) {
    bool appended = false;
    for (const LabelledField& field : LABELLED_FIELDS) {
        const char* value = findValue(pairs, field.name);
        if (value == nullptr)
            continue;
        PhoneNumber number;
        if (!number.setText(value))
            continue;
        out.emplace_back(value, field.kind, field.name);
        appended = true;
    }
    return appended;
}

} // namespace vellix
