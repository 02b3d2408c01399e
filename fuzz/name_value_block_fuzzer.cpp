// The clipboard block parser and the field lookup over untrusted bytes.

#include "fuzz_input.h"

#include "capture/name_value_block.h"

#include <cstring>
#include <memory>

using vellix::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A block of exactly the input's size, so that a read past it is caught.
    const auto block = std::make_unique<char[]>(size + 1);
    std::memcpy(block.get(), data, size);
    const char* begin = block.get();
    const char* end = begin + size;
    const auto pairs = vellix::parseNameValuePairs(begin, static_cast<std::int32_t>(size));
    for (const vellix::NameValuePair& pair : pairs) {
        for (const char* s : {pair.name, pair.value}) {
            check(s >= begin && s < end);
            check(std::memchr(s, '\0', static_cast<std::size_t>(end - s)) != nullptr);
        }
    }
    vellix::CapturedNumberList numbers;
    const bool found = vellix::collectLabelledNumbers(pairs, numbers);
    check(found == !numbers.empty());
    check(numbers.size() <= 6);
    for (const vellix::CapturedNumber& number : numbers)
        check(std::strlen(number.number().text()) <= vellix::PhoneNumber::MAX_TEXT_LENGTH);
    return 0;
}
