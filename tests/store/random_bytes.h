#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace vellix {

// Bytes from a fixed seed (mt19937's sequence is the same in every standard library),
// drawn from the alphabet, or any byte when it is empty.
inline std::string randomBytes(std::size_t size, const std::string& alphabet) {
    std::mt19937 generator(20240611);
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        const auto value = static_cast<unsigned char>(generator() & 0xFFU);
        byte = alphabet.empty() ? static_cast<char>(value) : alphabet[value % alphabet.size()];
    }
    return bytes;
}

// Pieces drawn from the same fixed sequence and joined, for input shaped like a data file.
inline std::string randomPieces(std::size_t count, const std::vector<std::string>& pieces) {
    std::mt19937 generator(20240611);
    std::string joined;
    for (std::size_t i = 0; i < count; ++i)
        joined += pieces[generator() % pieces.size()];
    return joined;
}

} // namespace vellix
