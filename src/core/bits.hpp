#pragma once

#include <cstdint>

namespace cadrel {

// Set bits of a word, inline: the baseline x86-64 has no popcount
// instruction, and std::popcount then calls into the runtime library on
// paths that count candidates at every search node.
constexpr std::int32_t ContarBits(std::uint64_t x) {
  x = x - ((x >> 1) & 0x5555555555555555ULL);
  x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
  return static_cast<std::int32_t>((x * 0x0101010101010101ULL) >> 56);
}

// One bit set, found without counting: std::has_single_bit counts, through
// the same runtime call.
constexpr bool UmSoBit(std::uint64_t x) { return x != 0 && (x & (x - 1)) == 0; }

// In a bit string stored low word first, the bits of AWord at which four set
// bits in a row start; ASeguinte is the next word (0 past the end). A run of
// L >= 4 set bits holds L - 3 of them.
constexpr std::uint64_t InicioDeQuatro(std::uint64_t APalavra, std::uint64_t ASeguinte) {
  return APalavra & ((APalavra >> 1) | (ASeguinte << 63)) & ((APalavra >> 2) | (ASeguinte << 62)) &
         ((APalavra >> 3) | (ASeguinte << 61));
}

static_assert(ContarBits(0) == 0 && ContarBits(~std::uint64_t{0}) == 64 && ContarBits(0b1011) == 3);
static_assert(UmSoBit(8) && !UmSoBit(0) && !UmSoBit(6));
static_assert(InicioDeQuatro(0b0111'1011'1110, 0) == 0b0000'1000'0110 && InicioDeQuatro(0b111ULL << 61, 1) == 1ULL << 61);

}  // namespace cadrel
