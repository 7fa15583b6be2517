#pragma once

// The random generator of the reduction and the simulation: xoshiro256** (Blackman and Vigna),
// seeded through splitmix64 from one 64-bit value, so that a run is repeatable from its seed.

#include <cstdint>

namespace pyra::system {

class Zufallsgenerator {
  public:
    explicit Zufallsgenerator(std::uint64_t startwert);

    // The next 64 random bits.
    std::uint64_t naechste() {
        const std::uint64_t ergebnis = rotl(s_[1] * 5, 7) * 9;
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return ergebnis;
    }

    // A uniform integer 0..n-1 for n >= 1 (multiply-and-reject, exactly uniform).
    int unter(int n) {
        __extension__ using u128 = unsigned __int128;
        const std::uint64_t grenze = static_cast<std::uint64_t>(n);
        u128 produkt = static_cast<u128>(naechste()) * grenze;
        auto rest = static_cast<std::uint64_t>(produkt);
        if (rest < grenze) {
            const std::uint64_t schwelle = (0 - grenze) % grenze;
            while (rest < schwelle) {
                produkt = static_cast<u128>(naechste()) * grenze;
                rest = static_cast<std::uint64_t>(produkt);
            }
        }
        return static_cast<int>(produkt >> 64);
    }

  private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t s_[4];
};

// A seed taken from the clock, for runs that need not be repeatable.
std::uint64_t Startwert_aus_Uhr();

} // namespace pyra::system
