#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace vellix::bench {

// Random picks from a fixed seed that come out the same on every platform.
class Generator {
public:
    explicit Generator(std::uint32_t seed) : random_(seed) {}

    // Draws from the generator's raw output, which the standard fixes, not from a
    // distribution, whose results differ between standard libraries.
    std::size_t pick(std::size_t n) { return static_cast<std::size_t>(random_() % n); }

    std::string digits(int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += static_cast<char>('0' + pick(10));
        return s;
    }

private:
    std::mt19937 random_;
};

} // namespace vellix::bench
