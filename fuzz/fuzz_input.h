#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vellix::fuzz {

// Splits fuzz input at NUL bytes into NUL-terminated strings, so one input can stand for
// several texts.
inline std::vector<std::string> splitAtNul(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            parts.emplace_back();
        else
            parts.back().push_back(static_cast<char>(data[i]));
    }
    return parts;
}

// Stops the run when an invariant fails, so that libFuzzer keeps the input.
inline void check(bool holds) {
    if (!holds)
        __builtin_trap();
}

} // namespace vellix::fuzz
