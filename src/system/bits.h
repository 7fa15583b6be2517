#pragma once

// Small bit helpers shared by the fast search and the fast simulation.

#include <array>
#include <cstdint>

namespace pyra::system::intern {

// Number of set bits. Written out so that it stays inline on any x86-64 (the library call the
// compiler emits without a popcount instruction costs more than the whole sum).
inline int bits_zaehlen(std::uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((x * 0x0101010101010101ull) >> 56);
}

// Binomial coefficients C(n, k) for n = 0..49, k = 0..6 (C(49, 6) fits in 32 bits).
struct Binomialtabelle {
    std::array<std::array<std::uint32_t, 7>, 50> c{};
    constexpr Binomialtabelle() {
        for (int n = 0; n < 50; ++n) {
            c[static_cast<std::size_t>(n)][0] = 1;
            for (int k = 1; k < 7; ++k)
                c[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)] =
                    n == 0 ? 0
                           : c[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(k - 1)] +
                                 c[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(k)];
        }
    }
};
inline constexpr Binomialtabelle Binomial{};

// C(n, k) from the table; 0 outside n = 0..49, k = 0..6 and for k > n.
inline std::uint64_t binom(int n, int k) {
    if (n < 0 || k < 0 || n < k || n >= 50 || k > 6) return 0;
    return Binomial.c[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)];
}

// Turns ranks into picks. On entry x[t] = j_t, drawn uniformly among the m - t indices still free
// before pick t (0-based); on return x[t] is the j_t-th smallest index of 0..m-1 not among
// x[0..t-1], which is what picking position by position gives. Walking back from the last pick,
// each earlier pick moves every later one at or above it up by one. Branch-free, and the later
// picks do not wait for each other.
inline void raenge_aufloesen(int* x, int r) {
    for (int t = r - 2; t >= 0; --t)
        for (int u = t + 1; u < r; ++u) x[u] += x[u] >= x[t];
}

// Bit-sliced sum of six row bit sets: per row position the count 0..6 as three bit planes.
struct Zaehlebenen {
    std::uint64_t eins, zwei, vier;
};
inline Zaehlebenen sechs_addieren(std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t d,
                                  std::uint64_t e, std::uint64_t f) {
    const std::uint64_t s1 = a ^ b ^ c, c1 = (a & b) | (c & (a ^ b));
    const std::uint64_t s2 = d ^ e ^ f, c2 = (d & e) | (f & (d ^ e));
    const std::uint64_t eins = s1 ^ s2, k = s1 & s2;
    const std::uint64_t zwei = c1 ^ c2 ^ k, vier = (c1 & c2) | (k & (c1 ^ c2));
    return {eins, zwei, vier};
}

} // namespace pyra::system::intern
