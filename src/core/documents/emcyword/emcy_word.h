#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace fenwarp {

// One bit of an EMCY word: two mask bytes and the two EMCY byte numbers they
// apply to, packed as byte 1 × 16 + byte 2. Texts are kept exactly as typed.
struct ClEbm {
    std::string b0;       // "Mask Byte 1"
    std::string b1;       // "Mask Byte 2"
    std::string poscomp;  // "Emcy byte 1" × 16 + "Emcy Byte 2", modulo 65536

    bool operator==(const ClEbm&) const = default;
};

inline constexpr std::size_t word_bits = 16;

// One EMCY word: where the other port reads it, whose EMCYs feed it, and its
// sixteen bit definitions.
struct TClWEmcy {
    std::string index_addrm;
    std::string subindex;
    std::string devid;
    std::array<ClEbm, word_bits> bits;

    bool operator==(const TClWEmcy&) const = default;
};

// The three texts that name a word in its list.
struct WordKeyTexts {
    std::string index_addrm;
    std::string subindex;
    std::string devid;

    bool operator==(const WordKeyTexts&) const = default;
};

inline WordKeyTexts key_texts(const TClWEmcy& word) {
    return {word.index_addrm, word.subindex, word.devid};
}

}  // namespace fenwarp
